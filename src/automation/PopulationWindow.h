#pragma once
// The "Population Analysis" window without its widgets: the population ID (table, field, key,
// filter) kept in section "PopulationAnalysis" of the user's initialization file (the
// installation's file gives what the user has not set; it may be read-only), the result
// database ("New" makes one with the table "Analysis"), the program sheet and its ".pmc" files,
// the run and its log. Talks through Dialogs and Status; holds the session, which must outlive
// it.
#include "automation/PopulationAnalysis.h"

#include <memory>

class Connection;
class SessionDatabase;

class PopulationWindow {
public:
    static QString caption() { return QStringLiteral("Population Analysis"); }
    static QString section() { return QStringLiteral("PopulationAnalysis"); }
    static QString fileFilter() { return QStringLiteral("QUV Population macro (*.pmc)|*.pmc"); }
    static QString programSheet() { return QStringLiteral("Program"); }

    // programIni: the installation's initialization file; userIni: the user's, which "Set As
    // Default" writes.
    PopulationWindow(SessionDatabase& session, Dialogs& dialogs, Status& status, QString programIni,
                     QString userIni);
    ~PopulationWindow();

    PopulationAnalysis::Definition definition;
    Sheet program;
    QString programFile;
    bool verify = false;
    QStringList log;
    std::function<void(const QString& statement, const QString& caption)> showTable;

    // "Set As Default" (into the user's file; a failed write says so) and what start-up reads
    // back: each key from the user's file, else from the installation's.
    bool saveDefaults();
    void readDefaults();
    QString resultDatabasePath() const { return resultPath_; }
    // Opens an existing result database; false after the message.
    bool setResultDatabase(const QString& path);
    // "New": a SQLite database with the table "Analysis" (PopID, unique primary index).
    bool newResultDatabase(const QString& path);

    // "&Save Macro", "&Open Macro", "Open and Append Macro".
    bool saveProgram(const QString& path);
    bool openProgram(const QString& path, bool append);

    // "Run": "Database or PopulationID not defined. Continue anyway?" first when the key or the
    // result database is missing.
    bool run();

private:
    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    QString programIni_;
    QString userIni_;
    QString resultPath_;
    std::unique_ptr<Connection> result_;
};
