#pragma once
// "Append to Database": tab-separated clipboard text with field names in its first row, written
// into every table the person picks for each column. A row reaches a table by the table's key:
// a record with that key is updated, a new key adds a record; rows without a key value, and
// tables whose key is not among the pasted columns, get nothing. Everything is written in one
// transaction, and a record of what was written is appended to the session's data log.
#include <QString>
#include <QStringList>
#include <vector>

class Connection;
class Dialogs;
class SchemaCatalogue;
class Sheet;
class Status;

class DatabaseAppend {
public:
    DatabaseAppend(Connection& database, const SchemaCatalogue& catalogue, Dialogs& dialogs,
                   Status& status);

    // userName goes into the log; logPath: the text file the log is appended to (empty: none).
    // The number of rows written over all tables, or -1 when cancelled or refused.
    int run(const QString& clipboardText, const QString& userName, const QString& logPath);

    static QString tablePrompt(int column, const QString& name, const QStringList& tables);

private:
    struct Column {
        int column = 0; // 1-based in the pasted sheet
        QString field;
        double factor = 1.0;
        int digits = -1; // -1: as pasted
    };
    struct Target {
        QString table;
        std::vector<Column> columns;
    };

    // Which tables take which columns; false when the person cancelled.
    bool plan(const Sheet& sheet, std::vector<Target>& targets, QStringList& notWritten);
    bool askScaling(const Sheet& sheet, std::vector<Target>& targets);
    QString planText(const std::vector<Target>& targets, const QStringList& notWritten) const;
    // Rows written into one table; -1 on a database error.
    int write(const Sheet& sheet, const Target& target, QStringList& report);

    Connection& database_;
    const SchemaCatalogue& catalogue_;
    Dialogs& dialogs_;
    Status& status_;
};
