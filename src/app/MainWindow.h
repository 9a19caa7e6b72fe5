#pragma once
// The frame window's logic: opening, re-mapping and closing the session database, the recent
// database list and menu, the database listings, sibling programs and exit. It talks to the
// person only through Dialogs and Status; the Qt frame (ui/MainFrame) binds its menus and lists
// to these operations and follows the hooks.
#include "app/RecentFiles.h"
#include "app/WindowGeometry.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Dialogs;
class SessionDatabase;
class Status;

class MainWindow {
public:
    struct Hooks {
        std::function<void(const QString&)> setCaption;
        // Every open window refills its table and field lists.
        std::function<void()> refreshWindows;
        // Set while the macro recorder is on; receives each command.
        std::function<void(const QString&)> recordCommand;
        // The busy mouse pointer on (true) and off.
        std::function<void(bool)> setBusy;
        std::function<bool()> pictureBookUnsaved;
        // The "Open Database" dialog; without it a file box asks.
        std::function<std::optional<QString>()> chooseDatabase;
        std::function<void()> savePictureBook;
        // Opens a table grid on the statement; false when its rows cannot be read.
        std::function<bool(const QString& statement, const QString& caption)> openGrid;
    };

    static constexpr int recentMenuSize = 5;

    MainWindow(SessionDatabase& session, Dialogs& dialogs, Status& status, RecentFiles recent,
               QString appPath);

    Hooks hooks;

    // Opens the path as the session database with links, then reads its ".dbl" link file when
    // there is one. False (after "Error in opening database ...") when it cannot be opened.
    bool OpenDBFromMDI(const QString& path, bool loadMap, bool saveMap);
    // "&Open Database...": asks for a database file and opens it, mapping it anew.
    bool openDatabase();
    void closeDatabase();
    // Maps the open database again from its schema, with links, and saves its map file.
    bool ReeMap();
    // Another window changed the open database's tables (ClipData made one): the catalogue is
    // read again with links, its map saved, the link file laid over as on opening, and every
    // window refreshes its lists. False when no database is open.
    bool schemaChanged();
    // Asks for a file, creates an empty SQLite database there and opens it.
    bool newDatabase();
    // One of the five recent entries at the foot of the File menu, 1-based.
    bool openRecent(int entry);

    QString caption() const;
    // The recent list "Session" in order, empty entries included.
    QStringList recentDatabases() const;

    // "Tables...", "Queries..." and "Filters..." of the Database menu.
    void showTables();
    void showQueries();
    void showFilters();
    // "Linking of selected tables": which keys join the tables picked in the table list.
    void showLinkingReport(const QStringList& tables);
    // "Load selected tables...": the whole rows of the picked tables joined over their links,
    // restricted by the first picked filter ("f_" name); shown with the question whether to run
    // it, and opened in a grid on Yes. False when nothing was opened.
    bool loadTables(const QStringList& picked);

    // Starts a program of the installation folder ("ZolRock", "ZolModel").
    bool startProgram(const QString& name);

    // Asks about an unsaved PictureBook and marks the program as closing; the frame then closes
    // its child windows and calls saveMainGeometry.
    void exit();
    void saveMainGeometry(const WindowGeometry& geometry, const WindowRect& rect,
                          bool minimised) const;

    bool exiting() const { return exiting_; }
    const QString& currentCommand() const { return currentCommand_; }

private:
    void showListing(const QString& heading, const QStringList& names);
    // The ".dbl" link file beside the database, when there is one, replaces the mapped links.
    void applyLinkFile(const QString& databasePath);

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    RecentFiles recent_;
    QString appPath_;
    QString caption_ = QStringLiteral("QUV Data");
    bool exiting_ = false;
    QString currentCommand_;
};
