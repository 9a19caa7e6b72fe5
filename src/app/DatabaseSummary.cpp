#include "app/DatabaseSummary.h"

#include <QFileInfo>
#include <memory>
#include <sqlite3.h>

namespace {
struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct Finalize {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;
using Statement = std::unique_ptr<sqlite3_stmt, Finalize>;

Statement prepare(sqlite3* db, const QString& sql) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s, nullptr);
    return Statement(s);
}

QString quotedName(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}
} // namespace

std::optional<DatabaseSummary> DatabaseSummary::read(const QString& path, QString* errorText) {
    auto fail = [&](const QString& why) {
        if (errorText)
            *errorText = why;
        return std::nullopt;
    };
    if (!QFileInfo(path).isFile())
        return fail(QStringLiteral("no such file: ") + path);
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK)
        return fail(QString::fromUtf8(sqlite3_errmsg(raw)));

    Statement list =
        prepare(db.get(), QStringLiteral(
                              "SELECT name, type FROM sqlite_master WHERE type IN ('table','view') "
                              "AND name NOT LIKE 'sqlite_%' ORDER BY type, name"));
    if (!list)
        return fail(QString::fromUtf8(sqlite3_errmsg(db.get())));
    DatabaseSummary summary;
    summary.path = path;
    while (sqlite3_step(list.get()) == SQLITE_ROW) {
        Table t;
        t.name =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 0)));
        t.kind =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 1)));
        Statement count =
            prepare(db.get(), QStringLiteral("SELECT count(*) FROM ") + quotedName(t.name));
        if (count && sqlite3_step(count.get()) == SQLITE_ROW)
            t.rows = sqlite3_column_int64(count.get(), 0);
        summary.tables.push_back(t);
    }
    return summary;
}
