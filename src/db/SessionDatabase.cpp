#include "db/SessionDatabase.h"

#include "platform/Connection.h"
#include "platform/ConnectionTextRedactor.h"
#include "platform/Dialogs.h"
#include "platform/FilePaths.h"
#include "platform/Status.h"

namespace {
const QString ado = QStringLiteral("ADO");
}

SessionDatabase::SessionDatabase(Dialogs& dialogs, Status& status, Opener opener,
                                 MapFileLocator mapFileFor)
    : dialogs_(dialogs)
    , status_(status)
    , opener_(std::move(opener))
    , mapFileFor_(std::move(mapFileFor)) {}

QString SessionDatabase::withNetworkPrefix(const QString& path) {
    if (path.startsWith(u'\\') && !path.startsWith(QStringLiteral("\\\\")))
        return u'\\' + path;
    return path;
}

bool SessionDatabase::OpenSessionDatabase(const SchemaMapper::Options& options) {
    QString path = withNetworkPrefix(SessionDatabasePath);
    if (path.startsWith(QStringLiteral("\\\\")))
        path = FilePaths::normalized(path);
    SessionDatabasePath = path;
    // What is shown of the path: a server source's password never is.
    const QString shown = ConnectionTextRedactor::redact(path);
    status_.showStatus(QStringLiteral("Connecting ") + shown, 1);
    LastConnectionType = ado;
    status_.showStatus(QStringLiteral("Connection is ADO"), 1);

    OpenedConnection opened = opener_(path);
    if (!opened.ok()) {
        connection_.reset();
        ConnectionType.clear();
        status_.showStatus(QString(), 1);
        // The driver's reason (missing file, not a database, damaged, no permission) follows.
        QString text = QStringLiteral("Database ") + shown +
                       QStringLiteral(" can not be opened neither by using DAO nor ADO connection");
        if (!opened.error.isEmpty())
            text +=
                QStringLiteral("\r\n") + ConnectionTextRedactor::redactMessage(opened.error, path);
        dialogs_.message(MessageKind::Critical, text);
        return false;
    }
    connection_ = std::move(opened.connection);
    if (!opened.notice.isEmpty())
        status_.showStatus(opened.notice, 1);
    // What an import could not carry over is said once, when the working copy is made.
    for (const QString& warning : opened.warnings)
        status_.showStatus(warning, 1);
    SchemaMapper(*connection_, status_).MapDatabase(catalogue_, shown, mapFileFor_(path), options);
    ConnectionType = ado;
    return true;
}

bool SessionDatabase::RemapSessionDatabase(const SchemaMapper::Options& options) {
    if (!connection_ || !isOpen())
        return false;
    return SchemaMapper(*connection_, status_)
               .MapDatabase(catalogue_, ConnectionTextRedactor::redact(SessionDatabasePath),
                            mapFileFor_(SessionDatabasePath),
                            options) == SchemaMapper::Outcome::Mapped;
}

void SessionDatabase::CloseSessionDatabase() {
    SessionDatabasePath.clear();
    ConnectionType.clear();
    connection_.reset();
}
