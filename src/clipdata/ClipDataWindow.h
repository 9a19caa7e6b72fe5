#pragma once
// The ClipData window's logic: the one scratch workbook of the program with its files, sheet
// tools, filters and macro verbs, loading statements into the active page, and making a table of
// the active page in the session database or in a new one. Talks to the person only through
// Dialogs and Status. The frame owns one for the whole run; diagrams read its active page.
#include "clipdata/ClipDataCommands.h"
#include "clipdata/ClipDataFiles.h"
#include "clipdata/ClipDataFilterStore.h"
#include "clipdata/ClipDataSheet.h"
#include "clipdata/ClipDataSheetTools.h"
#include "clipdata/TableFromSheetMaker.h"

#include <functional>

class SessionDatabase;
class Status;

class ClipDataWindow {
public:
    // What the frame does for the window; without them the session database is used directly.
    struct Hooks {
        // A table was added to the session database: the lists of every window follow.
        std::function<void()> schemaChanged;
        // Opens a database the way the File menu does (caption, lists, recent files).
        std::function<bool(const QString& path)> openDatabase;
        // Tells the linked program the key of a sheet row; clicked: only while it is linked.
        std::function<bool(int row, bool clicked)> sendLinkRow;
    };

    // lastFilesIni: the user's "\ini\lastfiles.ini" (the last file opened into ClipData).
    ClipDataWindow(SessionDatabase& session, Dialogs& dialogs, Status& status,
                   const QString& lastFilesIni);

    static QString caption() { return QStringLiteral("ClipData"); }

    Hooks hooks;

    ClipDataSheet& sheet() { return sheet_; }
    ClipDataFiles& files() { return files_; }
    ClipDataSheetTools& tools() { return tools_; }
    ClipDataFilterStore& filters() { return filters_; }
    TableFromSheetMaker& tableMaker() { return maker_; }
    // The title a hand-over gave the sheet ("GEO" data from another program), empty otherwise.
    const QString& title() const { return title_; }

    // The statement's rows into the active page; false after the message that says why.
    bool load(const QString& statement, const QString& classifierColumn = {});
    // "&Copy to ClipData" of the grid: the rows of its statement.
    bool copyFromGrid(const QString& statement) { return load(statement); }
    // The hand-over of another program: the statement's rows into ClipData under the title;
    // a PictureBook named with it is only announced until PictureBooks are read.
    bool HaeClipAvaaPB(const QString& sql, const QString& pictureBook, const QString& title);

    // "Open a statement file": the statement a text file holds, loaded into the active page.
    static QString statementFileFilter() {
        return QStringLiteral("Text file (*.txt)|*.txt|SQL-query (*.sql)|*.sql|All files "
                              "(*.*)|*.*");
    }
    bool openStatementFile();
    bool loadStatementFile(const QString& path);

    // A click on a column heading marks or unmarks a key of the table to be made. The first
    // mark checks the page and tells how keys are marked; a page that cannot become a table
    // gets no mark.
    bool markKey(int column);
    // "Add table in database" and "Create new database with the table".
    bool makeTable();
    bool makeTableInNewDatabase();

    // "Launch Linked": tells the linked program the key of the row (1-based sheet row).
    bool launchLinked(int row);
    // A click in the sheet tells the linked program the row's key while a link is active.
    void rowClicked(int row) {
        if (hooks.sendLinkRow)
            hooks.sendLinkRow(row, true);
    }

    // A macro line for ClipData: "OPEN [path]", "SAVE path", "CREATEIDCOL", "FIRSTISHEADERROW".
    bool runCommand(const QString& line);

private:
    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    ClipDataSheet sheet_;
    ClipDataFiles files_;
    ClipDataSheetTools tools_;
    ClipDataFilterStore filters_;
    TableFromSheetMaker maker_;
    ClipDataCommands commands_;
    QString title_;
};
