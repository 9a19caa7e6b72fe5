#include "db/ConnectionFactory.h"

#include "platform/ConnectionTextRedactor.h"
#include "platform/legacy/DbaseImporter.h"
#include "platform/legacy/JetImporter.h"
#include "platform/postgres/PgConnection.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QFileInfo>

namespace {

const char* const jetProvider = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";

// A legacy source is opened through its SQLite working copy; the first open after an import
// says where the copy is.
OpenedConnection openWorkingCopy(const ImportResult& copy, const QString& source) {
    if (!copy.ok()) {
        OpenedConnection failed;
        failed.error = copy.error;
        return failed;
    }
    OpenedConnection opened = SqliteConnection::open(copy.workingCopy);
    if (opened.ok() && !copy.reused) {
        opened.notice =
            QStringLiteral("Working copy of ") + source + QStringLiteral(" is ") + copy.workingCopy;
        if (!copy.backup.isEmpty())
            opened.notice += QStringLiteral("; the previous copy is kept in ") + copy.backup;
        opened.warnings = copy.warnings;
    }
    return opened;
}

// Why a database file cannot be opened, when the file system already says so; the drivers would
// give only "unable to open database file" for any of these.
QString fileProblem(const QString& path) {
    const QFileInfo file(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
    if (!file.exists())
        return QStringLiteral("The file ") + path + QStringLiteral(" does not exist");
    if (file.isDir())
        return path + QStringLiteral(" is a folder, not a database file");
    if (!file.isReadable())
        return QStringLiteral("Permission denied: the file ") + path +
               QStringLiteral(" can not be read");
    return {};
}

OpenedConnection failure(const QString& error) {
    OpenedConnection result;
    result.error = error;
    return result;
}

} // namespace

bool ConnectionFactory::isSqliteFile(const QString& path) {
    for (const char* ext : {".sqlite", ".db", ".sqlite3", ".db3"})
        if (path.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
            return true;
    return false;
}

ConnectionTarget ConnectionFactory::target(const QString& path, const QString& user,
                                           const QString& password) {
    ConnectionTarget t;
    t.user = user;
    t.password = password;
    const QString upper = path.toUpper();
    // SQLite first, so that a file such as "rocks.mdb.sqlite" is opened as the SQLite file it is.
    if (isSqliteFile(path)) {
        t.kind = ConnectionTarget::Kind::Sqlite;
        t.dataSource = path;
    } else if (path.contains(QLatin1String(".mdb")) || path.contains(QLatin1String(".MDB"))) {
        t.kind = ConnectionTarget::Kind::Jet;
        t.dataSource = path;
    } else if (upper.contains(QLatin1String(".ORA"))) {
        t.kind = ConnectionTarget::Kind::Server;
        t.dataSource = path.left(qMax(0, path.size() - 4));
    } else if (upper.contains(QLatin1String(".DBF"))) {
        t.kind = ConnectionTarget::Kind::DBase;
        const int cut =
            int(qMax(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/'))));
        t.dataSource = path.left(cut + 1);
    } else {
        t.kind = ConnectionTarget::Kind::Server;
        t.dataSource = path;
    }
    return t;
}

QString ConnectionFactory::BuildConnectionString(const QString& path, const QString& user,
                                                 const QString& password) {
    const ConnectionTarget t = target(path, user, password);
    switch (t.kind) {
    case ConnectionTarget::Kind::Sqlite:
        return QStringLiteral("Provider=SQLite;Data Source=") + t.dataSource;
    case ConnectionTarget::Kind::Jet:
        return QLatin1String(jetProvider) + t.dataSource;
    case ConnectionTarget::Kind::DBase:
        return QLatin1String(jetProvider) + t.dataSource +
               QStringLiteral(";Extended Properties=dBase IV;");
    case ConnectionTarget::Kind::Server:
        break;
    }
    return QStringLiteral("Provider=MSDAORA;User ID=") + user + QStringLiteral(";Password=") +
           password + QStringLiteral(";Data Source=") + t.dataSource;
}

std::function<OpenedConnection(const QString& path)>
ConnectionFactory::sessionOpener(Dialogs& dialogs) {
    return
        [&dialogs](const QString& path) { return open(target(path), StaleCopyQuestion(dialogs)); };
}

OpenedConnection ConnectionFactory::open(const ConnectionTarget& t, const StaleCopyQuestion& ask) {
    if (t.kind == ConnectionTarget::Kind::Sqlite || t.kind == ConnectionTarget::Kind::Jet)
        if (const QString problem = fileProblem(t.dataSource); !problem.isEmpty())
            return failure(problem);
    switch (t.kind) {
    case ConnectionTarget::Kind::Sqlite:
        return SqliteConnection::open(t.dataSource);
    case ConnectionTarget::Kind::Jet:
        return openWorkingCopy(JetImporter::ensureWorkingCopy(t.dataSource, ask), t.dataSource);
    case ConnectionTarget::Kind::DBase:
        return openWorkingCopy(DbaseImporter::ensureWorkingCopy(t.dataSource, ask), t.dataSource);
    case ConnectionTarget::Kind::Server:
        break;
    }
    // A text kept redacted (a recent entry) names the mask, not a password to send.
    return PgConnection::open(ConnectionTextRedactor::withoutMaskedPassword(t.dataSource), t.user,
                              t.password);
}
