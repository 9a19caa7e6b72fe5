#pragma once
// The main window's sample browser: finds a record by one field's value, shows it as a
// two-column sheet (field name, value) and writes an edited sheet back or deletes the record.
// The value becomes one escaped literal used by every statement, so what was shown is what is
// updated or deleted.
#include "app/RecordFindBuffer.h"
#include "platform/CellValue.h"
#include "platform/Sheet.h"

#include <QString>
#include <optional>

class Connection;
class Dialogs;
class RowSet;
class SessionDatabase;
class Status;

class SampleBrowser {
public:
    SampleBrowser(SessionDatabase& session, Dialogs& dialogs, Status& status);

    // The boxes "Table:", "Field:" and "Value:", and "Always from this table".
    QString table;
    QString field;
    QString value;
    bool alwaysFromThisTable = false;

    // Column 1 the field names, column 2 the values (empty for Null); "No data" alone when
    // nothing matched. The person may edit column 2 before updating.
    Sheet record;
    // The status panel beside the record: the number of fields shown.
    const QString& panelText() const { return panelText_; }

    // "&Retrieve": fills the record sheet from the first matching record.
    bool MainNayteTieto();
    // "Update Database": writes the sheet's values into the first matching record.
    bool updateDatabase();
    // "Delete record": deletes every matching record after asking.
    bool deleteRecord();

    // "Find...": asks for a text ("Find in the record") and fills the find buffer with the
    // record rows that hold it; the first row found (1-based), 0 after saying none holds it.
    int find();
    // "Show Next in the Find Buffer" / "Show Previous in the Find Buffer": 0 when it is empty.
    int showNextFound() { return found_.next(); }
    int showPreviousFound() { return found_.previous(); }

    // The value as a Jet literal: a number as typed in a number field, otherwise a text in
    // double quotes (quotes the person typed around it are kept once, inner ones doubled).
    QString valueLiteral() const;
    QString retrieveStatement() const;
    // The statement that selects the records Update and Delete act on.
    QString criteriaStatement() const;

private:
    // The open session connection with the table and field in the catalogue, else nullptr.
    Connection* checkedConnection() const;
    bool isTextField() const;
    std::optional<RowSet> matching(Connection& db);
    bool updateFirst(Connection& db, const RowSet& rows);
    void showError(const QString& what, const Connection& db);

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    QString panelText_;
    RecordFindBuffer found_;
};
