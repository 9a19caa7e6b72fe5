#pragma once
// The start-up sequence, run once before the main window appears: the single-instance
// question, the command line's three passes, the settings, the session database, and the
// hand-overs the command line asked for. It reaches windows only through StartupHost and the
// person only through Dialogs, so it runs the same with and without a display. The window
// hand-overs come in a second call: the windows that take them need the settings and the
// database that the first call reads and opens.
#include "app/AppSettings.h"
#include "app/InstanceCheck.h"
#include "app/StartupHost.h"
#include "platform/Dialogs.h"

#include <QStringList>
#include <functional>
#include <memory>

class Profile;

struct StartupResult {
    bool keepRunning = true; // false: another instance was brought to the front instead
    AppSettings settings;
    QString sessionDatabasePath;
    bool databaseOpen = false;
    bool clipDataLoaded = false;
};

class StartupRoutine {
public:
    using SessionDatabaseOpener =
        std::function<bool(const QString& path, const AppSettings& settings)>;
    using StatusSink = std::function<void(const QString&)>;

    struct Services {
        Dialogs& dialogs;
        StartupHost& host;
        const Profile& profile;
        SessionDatabaseOpener openSessionDatabase; // opens and maps; false on failure
        StatusSink splash;                         // the splash window's status line
        InstanceCheck* instances = nullptr;        // none: no single-instance question
        StatusSink splashOwner = {};               // the splash window's owner line
    };

    explicit StartupRoutine(Services services);
    ~StartupRoutine();

    // Up to the main window: the command line, the settings, the session database.
    // appPath: the program's folder; loginName: the operating system's user name;
    // commandLine: the arguments as one text (CommandLine::fromProcessArguments).
    StartupResult run(const QString& appPath, const QString& loginName, const QString& commandLine);
    // Then, once the windows exist: the window hand-overs of the command line in their order
    // (a statement runs on the database named before it), the mail and sibling hand-overs and
    // the diagram draw. Sets result.clipDataLoaded.
    void handOver(StartupResult& result);

    static QString alreadyRunningQuestion();

private:
    struct Pending; // what the passes decided for the steps after the settings
    bool siblingPass(const QStringList& args, Pending& p);
    bool mailPass(QStringList& args, const QString& commandLine, Pending& p);
    void switchPass(const QStringList& args, Pending& p);
    void applyExtension(const QString& arg, Pending& p);
    void applyXY(const QStringList& args, qsizetype& i, Pending& p);
    void openPictureBookPanel(const QString& path);
    void openSessionDatabase(Pending& p);

    Services s_;
    std::unique_ptr<Pending> pending_;
};
