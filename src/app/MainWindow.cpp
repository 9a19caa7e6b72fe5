#include "app/MainWindow.h"

#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "platform/ConnectionTextRedactor.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"
#include "platform/sqlite/SqliteConnection.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"
#include "query/LinkingReport.h"
#include "query/LoadTablesSql.h"

#include <QFileInfo>
#include <QProcess>

namespace {
const QString sessionSection = QStringLiteral("Session");

QString listingText(const QString& heading, const QStringList& names) {
    QString text = heading;
    for (const QString& n : names)
        text += QStringLiteral("\r\n\t") + n;
    return text;
}
} // namespace

MainWindow::MainWindow(SessionDatabase& session, Dialogs& dialogs, Status& status,
                       RecentFiles recent, QString appPath)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status)
    , recent_(std::move(recent))
    , appPath_(std::move(appPath)) {}

bool MainWindow::OpenDBFromMDI(const QString& path, bool loadMap, bool saveMap) {
    // A server source's password is neither recorded nor shown.
    const QString shown = ConnectionTextRedactor::redact(path);
    if (hooks.recordCommand)
        hooks.recordCommand(QStringLiteral("OPENDB ") + shown);
    if (path.size() <= 2)
        return false;
    session_.SessionDatabasePath = path;
    if (hooks.setBusy)
        hooks.setBusy(true);
    session_.ConnectionType.clear();
    const bool opened = session_.OpenSessionDatabase({true, loadMap, saveMap});
    if (hooks.setBusy)
        hooks.setBusy(false);
    if (!opened) {
        status_.showStatus(QString(), 0);
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Error in opening database ") + shown);
        return false;
    }
    const QString opened_path = session_.SessionDatabasePath;
    applyLinkFile(opened_path);
    caption_ = QStringLiteral("QUV Data (") + ConnectionTextRedactor::redact(opened_path) +
               QLatin1Char(')');
    if (hooks.setCaption)
        hooks.setCaption(caption_);
    recent_.add(opened_path, sessionSection);
    if (hooks.refreshWindows)
        hooks.refreshWindows();
    status_.showStatus(session_.openNote(), 0);
    return true;
}

void MainWindow::applyLinkFile(const QString& databasePath) {
    const QString linkFile = MapFile::linkFilePathFor(databasePath);
    if (!QFileInfo(linkFile).isFile())
        return;
    QString error;
    if (!MapFile::loadLinks(session_.catalogue().links, linkFile, &error))
        status_.showStatus(QStringLiteral("The link file ") + linkFile +
                               QStringLiteral(" cannot be read: ") + error,
                           1);
}

bool MainWindow::schemaChanged() {
    if (!session_.RemapSessionDatabase({true, false, true}))
        return false;
    applyLinkFile(session_.SessionDatabasePath);
    if (hooks.refreshWindows)
        hooks.refreshWindows();
    return true;
}

bool MainWindow::openDatabase() {
    const std::optional<QString> chosen =
        hooks.chooseDatabase
            ? hooks.chooseDatabase()
            : dialogs_.openFile(
                  QStringLiteral("Open Database"),
                  QStringLiteral(
                      "Databases|*.sqlite;*.db;*.sqlite3;*.db3;*.mdb;*.dbf|All files (*.*)|*.*"),
                  QString());
    if (!chosen || chosen->isEmpty())
        return false;
    return OpenDBFromMDI(*chosen, false, true);
}

void MainWindow::closeDatabase() {
    session_.CloseSessionDatabase();
    // Pickers must not offer the tables of a database that is no longer open.
    session_.catalogue() = SchemaCatalogue();
    caption_ = QStringLiteral("QUV Data");
    if (hooks.setCaption)
        hooks.setCaption(caption_);
    if (hooks.refreshWindows)
        hooks.refreshWindows();
}

bool MainWindow::ReeMap() {
    if (!session_.isOpen()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No database open"));
        return false;
    }
    const bool mapped = session_.OpenSessionDatabase({true, false, true});
    if (!mapped) {
        caption_ = QStringLiteral("QUV Data");
        if (hooks.setCaption)
            hooks.setCaption(caption_);
    }
    if (hooks.refreshWindows)
        hooks.refreshWindows();
    return mapped;
}

bool MainWindow::newDatabase() {
    // Jet files cannot be written here; a new database is a SQLite file.
    const std::optional<QString> chosen =
        dialogs_.saveFile(QStringLiteral("New Database"),
                          QStringLiteral("SQLite database (*.sqlite)|*.sqlite"), QString());
    if (!chosen || chosen->isEmpty())
        return false;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".sqlite");
    if (QFileInfo::exists(path)) {
        // Never replace a database with an empty one.
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Database ") + path + QStringLiteral(" already exists"));
        return false;
    }
    OpenedConnection created =
        SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
    if (!created.ok() || !created.connection->execute(QStringLiteral("PRAGMA user_version = 0"))) {
        dialogs_.message(MessageKind::Critical, QStringLiteral("Database ") + path +
                                                    QStringLiteral(" cannot be created: ") +
                                                    created.error);
        return false;
    }
    created.connection.reset();
    return OpenDBFromMDI(path, false, true);
}

bool MainWindow::openRecent(int entry) {
    const QStringList entries = recentDatabases();
    if (entry < 1 || entry > recentMenuSize || entry > entries.size())
        return false;
    const QString path = entries[entry - 1];
    if (path.size() <= 2)
        return false;
    // The saved map makes reopening a known database quick; links are built anew either way.
    return OpenDBFromMDI(path, true, true);
}

QString MainWindow::caption() const {
    return caption_;
}

QStringList MainWindow::recentDatabases() const {
    return recent_.entries(sessionSection);
}

void MainWindow::showListing(const QString& heading, const QStringList& names) {
    if (!session_.isOpen()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No database open"));
        return;
    }
    dialogs_.message(MessageKind::Information, listingText(heading, names));
}

void MainWindow::showTables() {
    showListing(QStringLiteral("TABLES of database ") +
                    ConnectionTextRedactor::redact(session_.SessionDatabasePath),
                session_.catalogue().tableNames());
}

void MainWindow::showQueries() {
    QStringList queries;
    if (Connection* db = session_.connection(); db && session_.isOpen()) {
        if (const auto tables = db->tables()) {
            for (const TableDescription& t : *tables)
                if (t.kind == TableDescription::Kind::View &&
                    !t.name.startsWith(QStringLiteral("f_")))
                    queries << t.name;
        } else {
            dialogs_.message(MessageKind::Exclamation,
                             QStringLiteral("The queries cannot be read: ") + db->lastError());
            return;
        }
    }
    showListing(QStringLiteral("QUERIES of the database ") +
                    ConnectionTextRedactor::redact(session_.SessionDatabasePath),
                queries);
}

void MainWindow::showFilters() {
    QStringList views;
    for (const QString& filter : session_.catalogue().filters)
        views << QStringLiteral("f_") + filter;
    showListing(QStringLiteral("FILTERS of the database ") +
                    ConnectionTextRedactor::redact(session_.SessionDatabasePath),
                views);
}

void MainWindow::showLinkingReport(const QStringList& tables) {
    Connection* db = session_.connection();
    if (!db || !session_.isOpen()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No database open"));
        return;
    }
    const FilterBaseResolver bases(*db, session_.catalogue());
    const LinkSearch links(session_.catalogue(), bases);
    // The user-results keys belong to the user-calculation tables, which the list does not show.
    dialogs_.message(MessageKind::Information, BuildLinkingReport(links, tables, false));
}

bool MainWindow::loadTables(const QStringList& picked) {
    Connection* db = session_.connection();
    if (!db || !session_.isOpen()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No database open"));
        return false;
    }
    QStringList tables;
    QString filter;
    for (const QString& name : picked) {
        if (!name.startsWith(QStringLiteral("f_")))
            tables << name;
        else if (filter.isEmpty())
            filter = name.mid(2);
    }
    const FilterBaseResolver bases(*db, session_.catalogue());
    const LinkSearch links(session_.catalogue(), bases);
    const LoadTablesSql built = BuildLoadTablesSql(links, tables, QString(), filter);
    if (!built.message.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, built.message);
        return false;
    }
    if (dialogs_.question(built.statement +
                              QStringLiteral("\r\nDo you want to run the SQL and open the view?"),
                          QuestionButtons::YesNoCancel) != Answer::Yes)
        return false;
    return hooks.openGrid &&
           hooks.openGrid(built.statement, QStringLiteral("View/") + tables.join(QLatin1Char('_')));
}

bool MainWindow::startProgram(const QString& name) {
    QString program = appPath_ + QLatin1Char('/') + name;
    if (!QFileInfo(program).isExecutable() && QFileInfo(program + QStringLiteral(".exe")).isFile())
        program += QStringLiteral(".exe");
    if (QProcess::startDetached(program, {}))
        return true;
    dialogs_.message(MessageKind::Exclamation, QStringLiteral("The program ") + program +
                                                   QStringLiteral(" cannot be started"));
    return false;
}

void MainWindow::exit() {
    if (hooks.pictureBookUnsaved && hooks.pictureBookUnsaved()) {
        const Answer a = dialogs_.question(
            QStringLiteral("PictureBook not saved.\r\nDo you want to save it now?"),
            QuestionButtons::YesNoCancel);
        if (a == Answer::Yes && hooks.savePictureBook)
            hooks.savePictureBook();
    }
    exiting_ = true;
    currentCommand_ = QStringLiteral("Exit");
}

void MainWindow::saveMainGeometry(const WindowGeometry& geometry, const WindowRect& rect,
                                  bool minimised) const {
    if (!minimised)
        geometry.saveMain(rect);
}
