#include "app/StartupRoutine.h"

#include "app/CommandLine.h"
#include "app/Profile.h"
#include "app/RecentFiles.h"
#include "app/SettingsReader.h"
#include "platform/ConnectionTextRedactor.h"
#include "platform/FilePaths.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QStringList sqliteExtensions{QStringLiteral(".sqlite"), QStringLiteral(".sqlite3"),
                                   QStringLiteral(".db"), QStringLiteral(".db3")};

bool isSqlitePath(const QString& path) {
    for (const QString& ext : sqliteExtensions)
        if (path.trimmed().endsWith(ext, Qt::CaseInsensitive) && path.trimmed().size() > ext.size())
            return true;
    return false;
}

// A database file named on the command line, absolute: the recent-files list must still find
// it when the program starts from another folder. A server source stays as it is.
QString databaseArgument(const QString& arg) {
    const QString path = FilePaths::normalized(arg.trimmed());
    const bool file = path.right(4).toUpper() == QStringLiteral(".MDB") || isSqlitePath(path);
    return file && QFileInfo(path).isRelative() ? QDir::current().absoluteFilePath(path) : path;
}

QString trimmedUnquoted(QString a) {
    a = a.trimmed();
    if (a.size() > 1 && a.startsWith(u'"'))
        a.remove(0, 1);
    if (a.size() > 1 && a.endsWith(u'"'))
        a.chop(1);
    return a;
}

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

struct StartupRoutine::Pending {
    StartupResult result;
    // The window hand-overs of the third pass, in the order of their arguments.
    std::vector<std::function<void(StartupResult&)>> windowActions;
    bool startedBySibling = false;
    bool startedByMail = false;
    bool drawAtEnd = false;
    QString mailSql;
    QString mailPictureBook;
};

StartupRoutine::StartupRoutine(Services services)
    : s_(std::move(services))
    , pending_(std::make_unique<Pending>()) {}

StartupRoutine::~StartupRoutine() = default;

QString StartupRoutine::alreadyRunningQuestion() {
    return QStringLiteral("QUV Data is already running.\r\nDo you want to have several instances "
                          "of the QUV Data running on your machine?");
}

StartupResult StartupRoutine::run(const QString& appPath, const QString& loginName,
                                  const QString& commandLine) {
    pending_ = std::make_unique<Pending>();
    Pending& p = *pending_;
    if (s_.instances && s_.instances->otherInstanceRunning() &&
        s_.dialogs.question(alreadyRunningQuestion(), QuestionButtons::YesNoCancel) !=
            Answer::Yes) {
        s_.instances->activateOtherInstance();
        p.result.keepRunning = false;
        return p.result;
    }
    if (s_.instances)
        s_.instances->claim();

    AppSettings& settings = p.result.settings;
    settings.paths.appPath = appPath;
    settings.loginName = loginName;
    s_.splash(QStringLiteral("Reading command line.."));
    QStringList args = CommandLine::SplitCommandLine(commandLine);
    settings.iniFile = appPath + QStringLiteral("/ini/QuvData.ini");
    if (!args.isEmpty())
        s_.splash(QStringLiteral("Applying command line (") +
                  ConnectionTextRedactor::redact(args.front()) + u')');

    if (!siblingPass(args, p) && !mailPass(args, commandLine, p))
        switchPass(args, p);

    s_.splash(QStringLiteral("Reading initialization file (") + settings.iniFile +
              QStringLiteral(") ...."));
    const bool named = !p.result.sessionDatabasePath.isEmpty();
    SettingsReader(s_.profile, s_.splash).read(settings, true, !named);
    if (s_.splashOwner)
        s_.splashOwner(settings.ownerLine);
    if (!named)
        p.result.sessionDatabasePath = settings.startSessionDatabase;

    openSessionDatabase(p);

    s_.host.showMainWindow();
    s_.host.closeSplash();
    return p.result;
}

void StartupRoutine::handOver(StartupResult& result) {
    Pending& p = *pending_;
    for (const auto& action : p.windowActions)
        action(result);
    p.windowActions.clear();
    if (p.startedByMail)
        s_.host.HaeClipAvaaPB(p.mailSql, p.mailPictureBook, QStringLiteral("Chemistry"));
    if (p.startedBySibling)
        s_.host.AJADDE();
    if (p.drawAtEnd) {
        s_.host.pressDiagramDraw();
        s_.host.showDiagramWindow(false);
    }
}

bool StartupRoutine::siblingPass(const QStringList& args, Pending& p) {
    for (const QString& a : args) {
        const QString upper = a.toUpper();
        if (upper.contains(QStringLiteral("VIMBO32")) || upper.contains(QStringLiteral("DDE"))) {
            s_.splash(QStringLiteral("Started from Vimbo32...."));
            p.startedBySibling = true;
            return true;
        }
    }
    return false;
}

bool StartupRoutine::mailPass(QStringList& args, const QString& commandLine, Pending& p) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        args[i] = trimmedUnquoted(args[i]);
        if (args[i].toUpper() != QStringLiteral("NOTESMINERALDATABASE"))
            continue;
        s_.splash(QStringLiteral("Started from Notes...."));
        if (i + 1 < args.size()) {
            const QString db = args[i + 1];
            if (db.right(3).toUpper() == QStringLiteral("MDB") || isSqlitePath(db))
                p.result.sessionDatabasePath = databaseArgument(db);
        }
        if (i + 2 < args.size())
            p.mailPictureBook = args[i + 2];
        const qsizetype select = commandLine.indexOf(QStringLiteral("SELECT"));
        if (select >= 0)
            p.mailSql = commandLine.mid(select);
        p.startedByMail = !p.mailSql.isEmpty();
        return true;
    }
    return false;
}

void StartupRoutine::switchPass(const QStringList& args, Pending& p) {
    StartupResult& r = p.result;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString upper = a.toUpper();
        if (a.startsWith(QStringLiteral("I/"))) {
            r.settings.iniFile = FilePaths::normalized(a.mid(2));
        } else if (a.startsWith(QStringLiteral("D/"))) {
            r.sessionDatabasePath = databaseArgument(a.mid(2));
        } else if (a.startsWith(QStringLiteral("C/"))) {
            p.windowActions.push_back(
                [this, path = FilePaths::normalized(a.mid(2))](StartupResult& result) {
                    const bool read = s_.host.readClipDataFile(path);
                    s_.host.showClipDataWindow();
                    result.clipDataLoaded = result.clipDataLoaded || read;
                });
        } else if (a.startsWith(QStringLiteral("CSQL/"))) {
            // The statement runs on the database named so far.
            p.windowActions.push_back([this, sql = a.mid(5),
                                       db = r.sessionDatabasePath](StartupResult&) {
                s_.host.loadClipDataFromSql(sql, db, QStringLiteral("GEO"), QStringLiteral("GEO"));
                s_.host.showClipDataWindow();
                s_.host.setDiagramUsesClipData();
            });
        } else if (a.startsWith(QStringLiteral("XY/"))) {
            applyXY(args, i, p);
        } else if (upper == QStringLiteral("VIMBO32") || upper == QStringLiteral("DDE")) {
            p.startedBySibling = true;
        } else if (a.startsWith(QStringLiteral("B/"))) {
            p.windowActions.push_back([this, path = FilePaths::normalized(a.mid(2))](
                                          StartupResult&) { openPictureBookPanel(path); });
        } else if (a.size() > 4) {
            applyExtension(a, p);
        }
    }
}

// The list after "XY/" was cut into several arguments at its commas: its values are the rest
// of the switch and the whole numbers that follow it.
void StartupRoutine::applyXY(const QStringList& args, qsizetype& i, Pending& p) {
    p.windowActions.push_back([this](StartupResult&) { s_.host.showDiagramWindow(false); });
    QStringList runs{args[i].mid(3)};
    while (i + 1 < args.size() && wholeNumber(args[i + 1]))
        runs << args[++i];
    std::vector<int> values;
    for (const QString& run : runs) {
        if (run.isEmpty())
            continue;
        const auto v = wholeNumber(run);
        if (!v)
            return; // a list that is not whole numbers is ignored
        values.push_back(*v);
    }
    if (values.size() < 4)
        return;
    values.resize(values.size() == 6 ? 6 : 4);
    p.windowActions.push_back(
        [this, values](StartupResult&) { s_.host.setDiagramSelectors(values); });
    p.drawAtEnd = true;
}

void StartupRoutine::applyExtension(const QString& arg, Pending& p) {
    const QString ext = arg.right(4).toUpper();
    const QString path = FilePaths::normalized(arg);
    if (ext == QStringLiteral(".BOK") || ext == QStringLiteral(".ZOL") ||
        ext == QStringLiteral(".AUX")) {
        p.windowActions.push_back([this, path](StartupResult&) {
            openPictureBookPanel(path);
            s_.host.setCurrentPictureBook(path);
            s_.host.pressPictureBookDraw();
        });
    } else if (ext == QStringLiteral(".TXT") || ext == QStringLiteral(".XLS") ||
               ext == QStringLiteral(".VTS")) {
        p.windowActions.push_back([this, path](StartupResult&) {
            s_.host.readClipDataFile(path);
            s_.host.showClipDataWindow();
        });
    } else if (ext == QStringLiteral(".AKR")) {
        p.windowActions.push_back([this, path](StartupResult&) {
            s_.host.loadChartFile(path);
            s_.host.showDiagramWindow(true);
        });
    } else if (ext == QStringLiteral(".MDB") || isSqlitePath(arg)) {
        p.result.sessionDatabasePath = databaseArgument(arg);
    } else if (ext == QStringLiteral(".INI")) {
        p.result.settings.iniFile = path;
    } else if (ext == QStringLiteral(".QLK")) {
        p.windowActions.push_back([this, path](StartupResult&) { s_.host.processLinkFile(path); });
    } else if (ext == QStringLiteral(".AMC")) {
        p.windowActions.push_back([this, path](StartupResult&) {
            s_.host.AvaaMacro(path);
            s_.host.showMainWindow();
        });
    }
}

void StartupRoutine::openPictureBookPanel(const QString& path) {
    if (s_.host.ReadPictureBook(path))
        s_.host.showPictureBookPanel();
}

void StartupRoutine::openSessionDatabase(Pending& p) {
    StartupResult& r = p.result;
    const QString& path = r.sessionDatabasePath;
    if (path.isEmpty())
        return;
    // Shown and kept without a server source's password.
    const QString shown = ConnectionTextRedactor::redact(path);
    s_.splash(QStringLiteral("Mapping database ") + shown + QStringLiteral(" ..."));
    r.databaseOpen = s_.openSessionDatabase && s_.openSessionDatabase(path, r.settings);
    if (!r.databaseOpen) {
        s_.splash(QString());
        s_.dialogs.message(MessageKind::Critical,
                           QStringLiteral("Error in opening database ") + shown);
        return;
    }
    s_.host.setMainCaption(QStringLiteral("QUV Data (") + shown + u')');
    RecentFiles(r.settings.recentFilesFile()).add(path, QStringLiteral("Session"));
}
