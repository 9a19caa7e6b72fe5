#pragma once
// Read-only access to a generated database for the tests: every value comes back as text, Null
// as the marker "<null>", so whole tables can be compared and single cells checked.
#include <QString>
#include <QStringList>
#include <sqlite3.h>
#include <vector>

class SqliteReader {
public:
    explicit SqliteReader(const QString& path) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr) !=
            SQLITE_OK)
            error_ = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("no memory");
    }
    ~SqliteReader() { sqlite3_close_v2(db_); }
    SqliteReader(const SqliteReader&) = delete;
    SqliteReader& operator=(const SqliteReader&) = delete;

    bool isOpen() const { return error_.isEmpty(); }
    QString error() const { return error_; }

    std::vector<QStringList> rows(const QString& sql) {
        std::vector<QStringList> out;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
            error_ = QString::fromUtf8(sqlite3_errmsg(db_)) + QStringLiteral(" in ") + sql;
            return out;
        }
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                const int type = sqlite3_column_type(stmt, c);
                if (type == SQLITE_NULL)
                    row << QStringLiteral("<null>");
                else if (type == SQLITE_FLOAT) // every bit counts when runs are compared
                    row << QString::number(sqlite3_column_double(stmt, c), 'g', 17);
                else
                    row << QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)));
            }
            out.push_back(row);
        }
        sqlite3_finalize(stmt);
        return out;
    }

    // The single value of a one-row, one-column query; "<error>" when there is none.
    QString value(const QString& sql) {
        const auto r = rows(sql);
        return r.empty() || r.front().isEmpty() ? QStringLiteral("<error>") : r.front().front();
    }
    double number(const QString& sql) { return value(sql).toDouble(); }
    qint64 count(const QString& sql) { return value(sql).toLongLong(); }

    // Every row of every table and view, in key order, as one list of lines.
    QStringList dump() {
        QStringList lines;
        for (const QStringList& master :
             rows(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY name"))) {
            lines << master.join(QLatin1Char('|'));
            if (master[0] != QLatin1String("table") && master[0] != QLatin1String("view"))
                continue;
            QString name = master[1];
            name.replace(QLatin1Char('"'), QLatin1String("\"\""));
            for (const QStringList& row :
                 rows(QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1, 2").arg(name)))
                lines << row.join(QLatin1Char('|'));
        }
        return lines;
    }

private:
    sqlite3* db_ = nullptr;
    QString error_;
};
