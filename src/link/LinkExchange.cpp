#include "link/LinkExchange.h"

#include "clipdata/ClipDataSheet.h"
#include "clipdata/LoadStatementIntoClipData.h"
#include "db/ConnectionFactory.h"
#include "db/SessionDatabase.h"
#include "link/LinkContentParser.h"
#include "link/LinkKeyStatement.h"
#include "link/LinkPeer.h"
#include "link/LinkSelection.h"
#include "link/LinkSource.h"
#include "link/LinkSqlStatement.h"
#include "platform/ConnectionTextRedactor.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"
#include "platform/postgres/PgConnection.h"

#include <QDir>
#include <QFileInfo>

LinkExchange::LinkExchange(SessionDatabase& session, ClipDataSheet& clipData, Dialogs& dialogs,
                           Status& status, LinkPeer& peer, QStringList pictureBookFolders)
    : session_(session)
    , clipData_(clipData)
    , dialogs_(dialogs)
    , status_(status)
    , peer_(peer)
    , pictureBookFolders_(std::move(pictureBookFolders)) {}

bool LinkExchange::ProcessLinkContent(const QString& text) {
    const LinkSettings& link = peer_.settings();
    status_.showStatus(QStringLiteral("Connecting to ") + link.address(QStringLiteral(" / ")), 1);
    // Content from a program that only drops files comes without a sibling socket to check.
    if (!link.server.isEmpty() && !peer_.reachable() &&
        dialogs_.question(notFoundText() + QStringLiteral("\r\n(Connction string:") +
                              link.address(QStringLiteral(",")) +
                              QStringLiteral(")\r\nContinue anyway?"),
                          QuestionButtons::YesNoCancel) != Answer::Yes) {
        status_.showStatus(QString(), 0);
        return false;
    }
    status_.showStatus(QStringLiteral("Processing DDE-link content"), 1);
    state_ = LinkContentParser::ParseLinkContent(text);
    lastText_ = text;
    received_ = true;
    // Content of command lines alone names no rows: nothing is fetched, nothing asked.
    const bool namesRows = state_.commands.isEmpty() || !state_.tableName.trimmed().isEmpty() ||
                           !state_.sql.trimmed().isEmpty();
    bool done = true;
    if (namesRows) {
        const QString database = LinkSource::databaseOf(state_);
        status_.showStatus(QStringLiteral("Database information received: Database= ") +
                               ConnectionTextRedactor::redact(database) +
                               QStringLiteral("Table: ") + state_.tableName,
                           1);
        done = fetch(database);
        if (done && !state_.caption.trimmed().isEmpty())
            openPictureBook(state_.caption.trimmed());
    }
    // The commands work on what was fetched, so they run only after a fetch that came.
    if (done)
        done = runCommands();
    status_.showStatus(QStringLiteral("Ready"), 1);
    status_.showStatus(QString(), 0);
    return done;
}

bool LinkExchange::runCommands() {
    if (state_.commands.isEmpty())
        return true;
    if (!hooks.runCommand) {
        dialogs_.message(MessageKind::Exclamation, noCommandsText());
        return false;
    }
    // As in a macro, a line that fails leaves the others to run.
    bool ok = true;
    for (const QString& line : state_.commands)
        ok = hooks.runCommand(line) && ok;
    return ok;
}

// Runs the key selection on the received database: the session's connection when it is that
// one, else a connection of its own for this fetch.
bool LinkExchange::fetch(const QString& database) {
    OpenedConnection own;
    Connection* db = nullptr;
    const bool server = !state_.oracle.trimmed().isEmpty() || !state_.odbc.trimmed().isEmpty();
    if (!server && (database.isEmpty() || database == session_.SessionDatabasePath)) {
        db = session_.isOpen() ? session_.connection() : nullptr;
        if (!db) {
            dialogs_.message(MessageKind::Exclamation, QStringLiteral("No database open"));
            return false;
        }
    } else {
        own = ConnectionFactory::open(LinkSource::targetOf(state_));
        if (!own.ok()) {
            dialogs_.message(MessageKind::Critical,
                             QStringLiteral("Error in opening database ") +
                                 ConnectionTextRedactor::redact(database) + QStringLiteral("\r\n") +
                                 ConnectionTextRedactor::redactMessage(own.error, database));
            return false;
        }
        db = own.connection.get();
    }
    QString statement;
    if (!state_.sql.trimmed().isEmpty()) {
        // SQL= runs instead of the key selection.
        const LinkSqlStatement sql = LinkSqlStatement::check(state_.sql);
        if (!sql.ok()) {
            dialogs_.message(MessageKind::Exclamation, sql.error);
            return false;
        }
        statement = sql.statement;
    } else {
        const LinkKeyStatement select = LinkKeyStatement::build(state_, *db);
        if (!select.ok()) {
            dialogs_.message(MessageKind::Exclamation, select.error);
            return false;
        }
        if (!select.hasKeys &&
            dialogs_.question(QStringLiteral("No rows selected in ") + state_.tableName +
                                  QStringLiteral(". Do you want to run following query?\r\n") +
                                  select.statement +
                                  QStringLiteral("?\r\n(Note that operation may take a long time)"),
                              QuestionButtons::YesNoCancel) != Answer::Yes)
            return false;
        statement = select.statement;
    }
    // On a server a SELECT can still call functions that write: a statement sent as SQL= runs
    // in a read-only transaction there, rolled back after.
    auto* readOnly = state_.sql.trimmed().isEmpty() ? nullptr : dynamic_cast<PgConnection*>(db);
    if (readOnly && !(readOnly->beginTransaction() &&
                      readOnly->executeNative(QStringLiteral("SET TRANSACTION READ ONLY")))) {
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Error in retrieving data:\r\n") + readOnly->lastError());
        readOnly->rollback();
        return false;
    }
    status_.showStatus(QStringLiteral("Retrieving data..."), 1);
    const ClipDataLoadResult result = LoadStatementIntoClipData(statement, *db, clipData_, status_);
    if (readOnly)
        readOnly->rollback();
    if (!result.ok) {
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Error in retrieving data:\r\n") + result.error);
        return false;
    }
    if (hooks.clipDataFilled)
        hooks.clipDataFilled();
    return true;
}

void LinkExchange::openPictureBook(const QString& name) {
    // A name from another program: never a path that leaves the PictureBook folders.
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name == QLatin1String(".."))
        return;
    for (const QString& folder : pictureBookFolders_) {
        const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".bok");
        if (!QFileInfo::exists(path))
            continue;
        status_.showStatus(QStringLiteral("Opening picture book ") + path, 1);
        if (hooks.openPictureBook)
            hooks.openPictureBook(path);
        return;
    }
}

bool LinkExchange::SendLinkSelection(const QString& keyValue) {
    LinkSelection selection;
    selection.databaseName = ConnectionTextRedactor::redact(session_.SessionDatabasePath);
    selection.tableName = state_.tableName;
    selection.field = state_.field;
    selection.odbc = ConnectionTextRedactor::redact(state_.odbc);
    selection.keyFields = state_.keyFields;
    selection.keyValue = keyValue;
    lastText_ = selection.text();
    if (peer_.send(lastText_))
        return true;
    dialogs_.message(MessageKind::Exclamation, notFoundText());
    return false;
}

bool LinkExchange::setLinkValue() {
    const std::optional<QString> key =
        dialogs_.input(QStringLiteral("Set Link value"),
                       QStringLiteral("Give the key value to send to the linked program (-999 "
                                      "for none)."),
                       LinkSelection::noKey());
    return key && SendLinkSelection(*key);
}

QString LinkExchange::clipDataKey(int row) const {
    const Sheet& page = clipData_.activePage();
    if (row < 2 || row > page.lastRow())
        return {};
    int column = 1;
    const QString key = state_.keyFields.trimmed();
    for (int c = 1; !key.isEmpty() && c <= page.lastColumn(); ++c)
        if (page.text(1, c).compare(key, Qt::CaseInsensitive) == 0) {
            column = c;
            break;
        }
    return page.text(row, column);
}
