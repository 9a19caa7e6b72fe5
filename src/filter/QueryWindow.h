#pragma once
// The query window: a free SQL text to which conditions are added one by one (the old
// condition kept, the new one joined with AND, always before ORDER BY), and which can be stored
// as the view "Q_" + name. Talks to the person through Dialogs with the program's texts. Holds
// references to the session and dialogs.
#include <QString>

class Dialogs;
class SessionDatabase;

class QueryWindow {
public:
    // Geometry keys in the per-user store: "QueryLeft", "QueryTop", ...
    static QString shortName() { return QStringLiteral("Query"); }
    static QString viewPrefix() { return QStringLiteral("Q_"); }
    static QString fileFilter() { return QStringLiteral("SQL files (*.sql)|*.sql"); }

    QueryWindow(SessionDatabase& session, Dialogs& dialogs);

    QString sql;       // txtSQLWindow
    QString field;     // the field the condition is on
    QString op;        // an operator caption of the filter window
    QString condition; // the value typed

    bool addCondition();
    // Asks for the name and stores the text as "Q_" + name.
    bool saveAsQuery();
    // "Save" and "Open": the text as key "SQL" of section "SQL" of a .sql file, the grid's
    // format. An initialization value is one line, so line breaks are saved as blanks.
    bool saveSqlFile();
    bool openSqlFile();

private:
    SessionDatabase& session_;
    Dialogs& dialogs_;
};
