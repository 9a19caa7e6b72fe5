#include "clipdata/ClipDataWindow.h"

#include "clipdata/LoadStatementIntoClipData.h"
#include "db/SessionDatabase.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"

#include <QFile>

ClipDataWindow::ClipDataWindow(SessionDatabase& session, Dialogs& dialogs, Status& status,
                               const QString& lastFilesIni)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status)
    , files_(sheet_, dialogs, status, lastFilesIni)
    , tools_(sheet_, dialogs)
    , filters_(sheet_, dialogs)
    , maker_(dialogs, status)
    , commands_(files_, tools_) {}

bool ClipDataWindow::load(const QString& statement, const QString& classifierColumn) {
    Connection* db = session_.connection();
    if (!db) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No database open"));
        return false;
    }
    const ClipDataLoadResult result =
        LoadStatementIntoClipData(statement, *db, sheet_, status_, classifierColumn);
    if (!result.ok)
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Error in retrieving data:\r\n") + result.error);
    return result.ok;
}

bool ClipDataWindow::HaeClipAvaaPB(const QString& sql, const QString& pictureBook,
                                   const QString& title) {
    status_.showStatus(QStringLiteral("Retrieving data..."), 1);
    const bool loaded = load(sql);
    if (loaded)
        title_ = title;
    if (!pictureBook.isEmpty())
        status_.showStatus(QStringLiteral("Opening picture book \r\n") + pictureBook, 1);
    status_.showStatus(QStringLiteral("Ready"), 1);
    status_.showStatus(QString(), 0);
    return loaded;
}

bool ClipDataWindow::launchLinked(int row) {
    if (hooks.sendLinkRow)
        return hooks.sendLinkRow(row, false);
    dialogs_.message(MessageKind::Exclamation, QStringLiteral("Linked program not found."));
    return false;
}

bool ClipDataWindow::openStatementFile() {
    const std::optional<QString> path =
        dialogs_.openFile(QStringLiteral("Open statement file"), statementFileFilter(), QString());
    return path && !path->isEmpty() && loadStatementFile(*path);
}

bool ClipDataWindow::loadStatementFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("The file ") + path +
                                                       QStringLiteral(" cannot be read: ") +
                                                       file.errorString());
        return false;
    }
    QString statement = QString::fromUtf8(file.readAll()).trimmed();
    // A query saved from an SQL tool ends with ";": the drivers take one bare statement.
    while (statement.endsWith(QLatin1Char(';')))
        statement = statement.chopped(1).trimmed();
    if (statement.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("The file ") + path +
                                                       QStringLiteral(" holds no statement"));
        return false;
    }
    return load(statement);
}

bool ClipDataWindow::markKey(int column) {
    if (maker_.keyColumns().empty() && !maker_.beginMarking(sheet_.activePage()))
        return false;
    return maker_.toggleKey(column);
}

bool ClipDataWindow::makeTable() {
    Connection* db = session_.connection();
    if (!db) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No database open"));
        return false;
    }
    if (!maker_.MakeTableFromSheet(sheet_.activePage(), *db))
        return false;
    if (hooks.schemaChanged)
        hooks.schemaChanged();
    else
        session_.RemapSessionDatabase({true, false, false});
    return true;
}

bool ClipDataWindow::makeTableInNewDatabase() {
    return maker_.MakeTableInNewDatabase(sheet_.activePage(), [this](const QString& path) {
        if (hooks.openDatabase)
            return hooks.openDatabase(path);
        session_.SessionDatabasePath = path;
        return session_.OpenSessionDatabase({true, false, false});
    });
}

bool ClipDataWindow::runCommand(const QString& line) {
    const QString text = line.trimmed();
    return commands_.run(text.section(QLatin1Char(' '), 0, 0), text.section(QLatin1Char(' '), 1));
}
