#include "clipdata/TableFromSheetMaker.h"

#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/Sheet.h"
#include "platform/Status.h"
#include "platform/TransactionScope.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QFile>

#include <algorithm>

namespace {
QString bracketed(const QString& name) {
    return JetSqlQuoting::name(name);
}

// A DATE cell as the sheet keeps it: an ISO date or date and time text.
std::optional<CellValue> dateValue(const QString& text) {
    for (const Qt::DateFormat format : {Qt::ISODate, Qt::ISODateWithMs}) {
        const QDateTime dt = QDateTime::fromString(text, format);
        if (dt.isValid())
            return CellValue::date(dt);
    }
    const QDateTime spaced = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (spaced.isValid())
        return CellValue::date(spaced);
    const QDate d = QDate::fromString(text, Qt::ISODate);
    if (d.isValid())
        return CellValue::date(d);
    return std::nullopt;
}
} // namespace

bool TableFromSheetMaker::toggleKey(int column) {
    const auto at = std::find(keys_.begin(), keys_.end(), column);
    if (at != keys_.end()) {
        keys_.erase(at);
        return true;
    }
    if (int(keys_.size()) == maxKeyColumns) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Maximum number of indexed fields is five."));
        return false;
    }
    keys_.push_back(column);
    return true;
}

bool TableFromSheetMaker::checkPage(const Sheet& page) {
    if (page.lastRow() < 2) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("No data. Can not make a table before there is data."));
        return false;
    }
    for (int c = 1; c <= page.lastColumn(); ++c)
        if (page.text(1, c).trimmed().isEmpty()) {
            dialogs_.message(MessageKind::Exclamation,
                             QStringLiteral("Column %1 has not been named. Each column which has "
                                            "data, has to be named. Empty column can not exist "
                                            "in the middle of the worksheet.")
                                 .arg(c));
            return false;
        }
    return true;
}

bool TableFromSheetMaker::beginMarking(const Sheet& page) {
    if (!checkPage(page))
        return false;
    dialogs_.message(MessageKind::Information,
                     QStringLiteral("Data has to be rowwise, and there has to be one or several "
                                    "KEY fields in the worksheet"));
    return true;
}

std::vector<int> TableFromSheetMaker::orderedColumns(const Sheet& page) const {
    std::vector<int> columns;
    for (int key : keys_)
        if (key >= 1 && key <= page.lastColumn())
            columns.push_back(key);
    for (int c = 1; c <= page.lastColumn(); ++c)
        if (std::find(keys_.begin(), keys_.end(), c) == keys_.end())
            columns.push_back(c);
    return columns;
}

QStringList TableFromSheetMaker::createStatements(const Sheet& page, const QString& table) const {
    QStringList fields;
    for (int c : orderedColumns(page)) {
        const bool key = std::find(keys_.begin(), keys_.end(), c) != keys_.end();
        fields << bracketed(page.text(1, c)) + QLatin1Char(' ') +
                      ColumnTypeInferrer::infer(page, c, key).jetType();
    }
    // An engine cannot make a table without columns, so all come in the CREATE statement.
    QStringList statements{QStringLiteral("CREATE TABLE ") + bracketed(table) +
                           QStringLiteral(" (") + fields.join(QStringLiteral(", ")) +
                           QLatin1Char(')')};
    QStringList keyNames;
    for (int key : keys_)
        keyNames << bracketed(page.text(1, key));
    // Index names are unique in a database on some engines, so they carry the table's name.
    if (keys_.size() == 1)
        statements << QStringLiteral("CREATE UNIQUE INDEX ") +
                          bracketed(QStringLiteral("pk_") + table) + QStringLiteral(" ON ") +
                          bracketed(table) + QStringLiteral(" (") + keyNames.first() +
                          QStringLiteral(") WITH PRIMARY");
    else if (keys_.size() > 1)
        statements << QStringLiteral("CREATE INDEX ") + bracketed(QStringLiteral("ix_") + table) +
                          QStringLiteral(" ON ") + bracketed(table) + QStringLiteral(" (") +
                          keyNames.join(QStringLiteral(", ")) + QLatin1Char(')');
    return statements;
}

bool TableFromSheetMaker::writeTable(const Sheet& page, Connection& database,
                                     const QString& table) {
    TransactionScope transaction(database);
    if (!transaction.began())
        return false;
    for (const QString& statement : createStatements(page, table))
        if (!database.execute(statement))
            return false;
    const std::vector<int> columns = orderedColumns(page);
    QStringList names;
    QStringList markers;
    std::vector<ColumnTypeInferrer::Category> categories;
    for (int c : columns) {
        names << bracketed(page.text(1, c));
        markers << QStringLiteral("?");
        categories.push_back(ColumnTypeInferrer::infer(page, c, false).category);
    }
    const std::unique_ptr<PreparedStatement> insert =
        database.prepare(QStringLiteral("INSERT INTO ") + bracketed(table) + QStringLiteral(" (") +
                         names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                         markers.join(QStringLiteral(", ")) + QLatin1Char(')'));
    if (!insert)
        return false;
    status_.showStatus(QStringLiteral("Writing..."), 1);
    std::vector<CellValue> values(columns.size());
    for (int row = 2; row <= page.lastRow(); ++row) {
        if (page.rowCells(row).empty())
            continue; // a blank line is no record
        for (size_t i = 0; i < columns.size(); ++i) {
            const int c = columns[i];
            if (page.isEmpty(row, c))
                values[i] = CellValue::null();
            else if (categories[i] == ColumnTypeInferrer::Category::Date) {
                const std::optional<CellValue> date = dateValue(page.text(row, c));
                if (!date)
                    return false; // a date column's text that is no date would be lost
                values[i] = *date;
            } else if (categories[i] != ColumnTypeInferrer::Category::Text)
                values[i] = CellValue::number(*page.number(row, c));
            else
                values[i] = CellValue::text(page.text(row, c));
        }
        if (!insert->execute(values))
            return false;
    }
    return transaction.commit();
}

bool TableFromSheetMaker::MakeTableFromSheet(const Sheet& page, Connection& database) {
    if (!checkPage(page))
        return false;
    // A mark on a column the page no longer has marks nothing.
    std::erase_if(keys_, [&](int c) { return c > page.lastColumn(); });
    if (keys_.empty()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("No index key selected! Aborting table making routine"));
        return false;
    }
    const bool hasSampleNo = std::any_of(keys_.begin(), keys_.end(), [&](int c) {
        return page.text(1, c).compare(QLatin1String("SampleNo"), Qt::CaseInsensitive) == 0;
    });
    if (!hasSampleNo &&
        dialogs_.question(QStringLiteral("Any of the indexed columns is not named as SampleNo! Do "
                                         "you want to continue (relations will not be created "
                                         "correctly)"),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    if (dialogs_.question(QStringLiteral("Fields indexed, do you want to create table now?"),
                          QuestionButtons::YesNo) != Answer::Yes) {
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("Table won't be created, but marked columns remain "
                                        "marked as indexed."));
        return false;
    }
    const std::optional<QString> name =
        dialogs_.input(QStringLiteral("Append a new table in database"),
                       QStringLiteral("Give name for the new table"), QString());
    if (!name || name->trimmed().isEmpty())
        return false;
    const bool written = writeTable(page, database, name->trimmed());
    status_.showStatus({}, 0);
    if (!written) {
        dialogs_.message(MessageKind::Critical, QStringLiteral("Error and table was not created"));
        return false;
    }
    dialogs_.message(MessageKind::Information, QStringLiteral("Table added"));
    return true;
}

bool TableFromSheetMaker::MakeTableInNewDatabase(const Sheet& page, const Activate& activate) {
    if (!checkPage(page))
        return false;
    const std::optional<QString> path =
        dialogs_.saveFile(QStringLiteral("New database"), newDatabaseFilter(), QString());
    if (!path || path->isEmpty())
        return false;
    if (QFile::exists(*path)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Database ") + *path +
                                                       QStringLiteral(" already exists. Choose "
                                                                      "a new file name."));
        return false;
    }
    bool made = false;
    {
        OpenedConnection opened =
            SqliteConnection::open(*path, SqliteConnection::Mode::ReadWriteCreate);
        if (!opened.ok()) {
            dialogs_.message(MessageKind::Critical, opened.error);
            return false;
        }
        made = MakeTableFromSheet(page, *opened.connection);
    } // closed before it is removed or handed over
    if (!made) {
        QFile::remove(*path);
        return false;
    }
    if (!activate(*path))
        return false;
    dialogs_.message(MessageKind::Information,
                     QStringLiteral("New database created, acivated and  saved for the first "
                                    "time"));
    return true;
}
