#pragma once
// The table loader window's logic ("frmFromDBSToClipData"): the tables picked in its list, an
// optional LEFT JOIN base among them and an optional filter; loading builds the load-tables
// statement and writes its result into ClipData's active page. The Qt view only binds to it.
#include <QString>
#include <QStringList>

class ClipDataSheet;
class Connection;
class Dialogs;
class LinkSearch;
class Status;

class TableLoaderWindow {
public:
    // Geometry keys in the per-user store: "FromDBSToClipDataLeft", "...Top", ...
    static QString shortName() { return QStringLiteral("FromDBSToClipData"); }

    TableLoaderWindow(const LinkSearch& links, Connection& database, ClipDataSheet& clipData,
                      Dialogs& dialogs, Status& status)
        : links_(links)
        , database_(database)
        , clipData_(clipData)
        , dialogs_(dialogs)
        , status_(status) {}

    QStringList selected;  // lstT
    bool filterOn = false; // chkFilterL
    QString filter;        // cmbFILTERL, without "f_"

    // chkLeftJoin: on, the base box offers the selected tables with the first preselected.
    void setLeftJoin(bool on);
    bool leftJoin() const { return leftJoin_; }
    QStringList leftJoinChoices() const { return leftJoin_ ? selected : QStringList{}; }
    QString leftJoinBase; // cmbLEFTJOIN

    // Builds the statement and loads it; false, with the message, when there is none or it
    // fails to run (the page then stays as it was).
    bool load();
    const QString& lastStatement() const { return statement_; }

private:
    const LinkSearch& links_;
    Connection& database_;
    ClipDataSheet& clipData_;
    Dialogs& dialogs_;
    Status& status_;
    bool leftJoin_ = false;
    QString statement_;
};
