#pragma once
// Makes a database table from ClipData's active page: the headings are the fields, each row a
// record, the marked key columns (at most five) the index. Asks and tells through Dialogs; every
// No or Cancel leaves sheet and database unchanged. The table, its index and its rows are
// written in one transaction, so a failure leaves no table behind.
#include "clipdata/ColumnTypeInferrer.h"

#include <QStringList>
#include <functional>
#include <vector>

class Connection;
class Dialogs;
class Sheet;
class Status;

class TableFromSheetMaker {
public:
    static constexpr int maxKeyColumns = 5;

    TableFromSheetMaker(Dialogs& dialogs, Status& status)
        : dialogs_(dialogs)
        , status_(status) {}

    // A click on a column heading: marks it as key or takes the mark away. False, with the
    // message, when a sixth column would be marked.
    bool toggleKey(int column);
    const std::vector<int>& keyColumns() const { return keys_; }
    void clearKeys() { keys_.clear(); }

    // Checks the page and, when it can be made into a table, tells how keys are marked; false
    // (with the message) when it cannot.
    bool beginMarking(const Sheet& page);
    // The questions, then the table. True when the table was added.
    bool MakeTableFromSheet(const Sheet& page, Connection& database);

    // "Create new database": the table goes into a new SQLite file, which then becomes the
    // session database through `activate` (given the path). A No, a Cancel or a failure
    // removes the file again; an existing file is refused, never overwritten.
    using Activate = std::function<bool(const QString& path)>;
    static QString newDatabaseFilter() {
        return QStringLiteral("SQLite database (*.sqlite)|*.sqlite");
    }
    bool MakeTableInNewDatabase(const Sheet& page, const Activate& activate);

    // The statements for a table named `table` (exposed for the tests of the SQL shape).
    QStringList createStatements(const Sheet& page, const QString& table) const;

private:
    bool checkPage(const Sheet& page);
    std::vector<int> orderedColumns(const Sheet& page) const;
    bool writeTable(const Sheet& page, Connection& database, const QString& table);

    Dialogs& dialogs_;
    Status& status_;
    std::vector<int> keys_;
};
