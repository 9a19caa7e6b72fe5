// quvdata: start-up only. With --batch MACRO it runs without a display and writes a report of
// what it did into the --out folder; otherwise it shows the main window.
#include "app/CommandLine.h"
#include "app/LocalInstanceGuard.h"
#include "app/MainWindow.h"
#include "app/Profile.h"
#include "app/SampleBrowser.h"
#include "app/SettingsReader.h"
#include "app/StartupReport.h"
#include "app/StartupRequestLog.h"
#include "app/StartupRoutine.h"
#include "app/WindowGeometry.h"
#include "app/ui/FrameCommands.h"
#include "app/ui/FrameMacro.h"
#include "app/ui/FrameStartupHost.h"
#include "app/ui/MainFrame.h"
#include "app/ui/SplashWindow.h"
#include "automation/BatchMacro.h"
#include "db/ConnectionFactory.h"
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "db/SystemDatabase.h"
#include "figure/ui/FigureExporter.h"
#include "platform/ConnectionTextRedactor.h"
#include "platform/HeadlessStatus.h"
#include "platform/MemoryPolicy.h"
#include "platform/ScriptedDialogs.h"
#include "platform/UserSettingsStore.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtStatus.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSaveFile>
#include <QTimer>
#include <cstdio>

namespace {

struct Options {
    QString batchMacro;
    QString outFolder;
    QStringList arguments; // what the start-up routine reads as its command line
};

Options parseOptions(const QStringList& args) {
    Options o;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--batch") && i + 1 < args.size())
            o.batchMacro = args[++i];
        else if (args[i] == QStringLiteral("--out") && i + 1 < args.size())
            o.outFolder = args[++i];
        else
            o.arguments << args[i];
    }
    return o;
}

std::unique_ptr<SessionDatabase> makeSession(Dialogs& dialogs, Status& status,
                                             const QString*& userFolder) {
    return std::make_unique<SessionDatabase>(
        dialogs, status, ConnectionFactory::sessionOpener(dialogs),
        [&userFolder](const QString& path) {
            const bool server =
                ConnectionFactory::target(path).kind == ConnectionTarget::Kind::Server;
            return MapFile::pathFor(path, server, userFolder ? *userFolder : QString());
        });
}

// Start-up opens the session database from its saved map when there is one.
StartupRoutine::SessionDatabaseOpener opener(SessionDatabase& session, const QString*& userFolder) {
    return [&session, &userFolder](const QString& path, const AppSettings& settings) {
        userFolder = &settings.paths.userFolder;
        session.SessionDatabasePath = path;
        return session.OpenSessionDatabase({false, true, false});
    };
}

// A fresh installation gets its system database on this first use; the windows that use it
// open it again for each job. A failure is told in the status line: only those jobs fail.
OpenedConnection openSystemDatabase(const AppSettings& settings, Status& status) {
    OpenedConnection system = SystemDatabase::open(settings.systemDatabase, settings.systemTables);
    if (!system.ok())
        status.showStatus(QStringLiteral("System database ") +
                              ConnectionTextRedactor::redact(settings.systemDatabase) +
                              QStringLiteral(": ") + system.error,
                          1);
    else if (!system.notice.isEmpty())
        status.showStatus(system.notice, 1);
    return system;
}

// The macro's lines; its log goes to macro.txt in the output folder, each line's entry written
// and flushed as soon as the line has run, so a crash leaves the log up to the failing line.
// False when a line failed.
bool runMacro(const QString& path, SessionDatabase& session, ScriptedDialogs& dialogs,
              Status& status, const QString& out, const AppSettings& settings) {
    QFile macro(path);
    if (!macro.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qUtf8Printable(path));
        return false;
    }
    BatchMacro batch(session, dialogs, status, QCoreApplication::applicationDirPath(), out,
                     settings.recentFilesFile(),
                     [](const Figure& figure, const QString& file, QSize size) {
                         return FigureExporter::save(figure, file, size);
                     });
    batch.setSystemDatabase(settings.systemDatabase, settings.systemTables);
    QFile log(out + QStringLiteral("/macro.txt"));
    if (log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        batch.setEntrySink([&log](const QString& entry) {
            log.write((entry + QLatin1Char('\n')).toUtf8());
            log.flush();
        });
    else
        std::fprintf(stderr, "cannot write %s: %s\n", qUtf8Printable(log.fileName()),
                     qUtf8Printable(log.errorString()));
    const bool ok = batch.run(QString::fromUtf8(macro.readAll()));
    for (const QString& file : batch.written())
        std::fprintf(stderr, "wrote %s\n", qUtf8Printable(file));
    return ok;
}

int runBatch(const Options& options) {
    UserSettingsStore store;
    const Profile profile(store.userProfileFile());
    ScriptedDialogs dialogs;
    HeadlessStatus status(stderr);
    StartupRequestLog host;
    const QString* userFolder = nullptr;
    auto session = makeSession(dialogs, status, userFolder);
    QStringList arguments = options.arguments;
    arguments << options.batchMacro; // an ".amc" argument opens the macro
    StartupRoutine routine({dialogs, host, profile, opener(*session, userFolder),
                            [&](const QString& t) { status.showStatus(t, 1); }, nullptr});
    StartupResult result =
        routine.run(QCoreApplication::applicationDirPath(), SettingsReader::systemLoginName(),
                    CommandLine::fromProcessArguments(arguments));
    routine.handOver(result);
    status.showStatus(QString(), 0);
    // The start-up's settings are gone with it; later opens (the macro's) use the result's.
    userFolder = &result.settings.paths.userFolder;

    const OpenedConnection system = openSystemDatabase(result.settings, status);
    const StartupReport report{result,          *session,       system,
                               host.requests(), status.texts(), dialogs.texts()};
    const QString out = options.outFolder.isEmpty() ? QStringLiteral(".") : options.outFolder;
    QDir().mkpath(out);
    QSaveFile file(out + QStringLiteral("/startup.txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(report.text().toUtf8()) < 0 ||
        !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", qUtf8Printable(file.fileName()),
                     qUtf8Printable(file.errorString()));
        return 1;
    }
    std::fprintf(stderr, "wrote %s\n", qUtf8Printable(file.fileName()));
    const bool started = result.databaseOpen || result.sessionDatabasePath.isEmpty();
    // The macro runs even when the start-up database failed: its OPENDB may name another one.
    const bool macroRan =
        runMacro(options.batchMacro, *session, dialogs, status, out, result.settings);
    return started && macroRan ? 0 : 1;
}

int runWindowed(QApplication& app, const Options& options) {
    LocalInstanceGuard instances;
    UserSettingsStore store;
    const Profile profile(store.userProfileFile());
    const WindowGeometry geometry(store);
    QtDialogs dialogs;
    SplashWindow splash;
    MainFrame frame(geometry);
    dialogs.setParent(&frame);
    const QString* userFolder = nullptr;
    auto session = makeSession(dialogs, frame.status(), userFolder);
    const QString appPath = QCoreApplication::applicationDirPath();
    std::optional<StartupResult> result;
    // A macro named at start-up opens in the macro panel, where it can be run again, and runs
    // once as the program starts.
    FrameStartupHost host(frame, *session, dialogs, [&](const QString& macro) {
        if (frame.commands()->openMacro(macro))
            FrameMacro::run(macro, frame, *session, dialogs, appPath,
                            result->settings.recentFilesFile());
    });
    host.onCloseSplash = [&] { splash.close(); };
    StartupRoutine routine({dialogs, host, profile, opener(*session, userFolder),
                            [&](const QString& t) { splash.showAction(t); }, &instances,
                            [&](const QString& t) { splash.setOwnerLine(t); }});
    result = routine.run(appPath, SettingsReader::systemLoginName(),
                         CommandLine::fromProcessArguments(options.arguments));
    if (!result->keepRunning)
        return 0;
    // Later opens (File menu, recent list) read the user folder from the result, which lives on.
    userFolder = &result->settings.paths.userFolder;
    openSystemDatabase(result->settings, frame.status());
    MainWindow controller(*session, dialogs, frame.status(),
                          RecentFiles(result->settings.recentFilesFile()), appPath);
    SampleBrowser browser(*session, dialogs, frame.status());
    frame.bind({controller,
                browser,
                *session,
                dialogs,
                {appPath, result->settings.paths.userFolder},
                result->settings.systemDatabase,
                result->settings.systemTables,
                result->settings.mineralLibraryDb,
                result->settings.mineralLibraryTable,
                {result->settings.ddeServer, result->settings.ddeTopic, result->settings.ddeItem,
                 result->settings.linkType},
                {result->settings.userPictureBookPath, result->settings.pictureBookPath},
                result->settings.userName});
    QObject::connect(&instances, &LocalInstanceGuard::activationRequested, &frame, [&] {
        frame.showNormal();
        frame.raise();
        frame.activateWindow();
    });
    // The windows take their hand-overs in the running program, as the person would.
    QTimer::singleShot(0, &frame, [&] {
        host.setHandingOver(true);
        routine.handOver(*result);
        host.setHandingOver(false);
        frame.status().showStatus(session->openNote(), 0);
        host.reportUnavailable();
    });
    const int exitCode = app.exec();
    // The child windows hold the session and the controllers, which go before the frame.
    frame.deleteChildWindows();
    return exitCode;
}

} // namespace

int main(int argc, char** argv) {
    MemoryPolicy::mapLargeBlocks();
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    // Asked for the usage: no window, no settings, nothing opened.
    if (CommandLine::asksForHelp(raw.mid(1))) {
        std::fputs(qUtf8Printable(CommandLine::usage()), stdout);
        return 0;
    }
    const Options options = parseOptions(raw);
    if (!options.batchMacro.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUV Data"));
    return options.batchMacro.isEmpty() ? runWindowed(app, options) : runBatch(options);
}
