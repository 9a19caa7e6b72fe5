#include "db/SystemDatabase.h"

#include "db/ConnectionFactory.h"
#include "db/SystemSchema.h"
#include "diagram/objects/ClassificationSeed.h"
#include "diagram/objects/ObjectLibrary.h"
#include "platform/ConnectionTextRedactor.h"
#include "platform/TransactionScope.h"
#include "platform/legacy/JetImporter.h"
#include "platform/sqlite/SqliteConnection.h"
#include "spider/SpiderLibrary.h"
#include "spider/SpiderSeed.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

OpenedConnection failure(const QString& text) {
    OpenedConnection r;
    r.error = text;
    return r;
}

QString normalised(const QString& path) {
    return QDir::fromNativeSeparators(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
}

// The tables of the schema that the file lacks. Returns the error text, empty on success.
QString missingTables(SqliteConnection& db, const QString& file,
                      const std::vector<SystemTableSchema>& tables,
                      std::vector<SystemTableSchema>& missing) {
    missing.clear();
    for (const SystemTableSchema& t : tables) {
        // SQLite compares table names without regard to ASCII case, and so does NOCASE.
        const auto present = db.queryNative(
            QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type IN ('table', 'view') AND "
                           "name = ? COLLATE NOCASE"),
            {CellValue::text(t.name)});
        if (!present)
            return QStringLiteral("The system database ") + file +
                   QStringLiteral(" cannot be read: ") + db.lastError();
        if (present->isEmpty())
            missing.push_back(t);
    }
    return {};
}

// A new spider table starts with the shipped spider types and normalization samples. A new
// object library starts with the shipped classification diagrams, and one this program made
// before it shipped them (version 1) gets those it lacks; a database of another program (version
// 0) keeps its own tables as they are. Runs inside the caller's transaction; the error text,
// empty on success.
QString seedShipped(Connection& db, const QString& source, const SystemTables& names,
                    const QStringList& added, int found) {
    if (added.contains(names.spiderMain) && added.contains(names.spiderNorm)) {
        SpiderLibrary library(db, names);
        if (QString error = SpiderSeed::seed(library); !error.isEmpty())
            return QStringLiteral("The spider library cannot be written into the system "
                                  "database ") +
                   source + QStringLiteral(": ") + error;
    }
    const bool newLibrary = added.contains(names.collection) &&
                            added.contains(names.collectionItems) &&
                            added.contains(names.polygon) && added.contains(names.polygonNodes) &&
                            added.contains(names.trendline);
    if (newLibrary || found == 1) {
        ObjectLibrary library(db, names, ObjectLibrary::Transactions::Caller);
        if (QString error = ClassificationSeed::seed(library); !error.isEmpty())
            return QStringLiteral("The object library cannot be written into the system "
                                  "database ") +
                   source + QStringLiteral(": ") + error;
    }
    return {};
}

// Brings an open file up to the current schema. Returns the error text, empty on success.
QString completeSchema(SqliteConnection& db, const QString& file, const SystemTables& names,
                       QStringList& added) {
    const auto version = db.queryNative(QStringLiteral("PRAGMA user_version"));
    if (!version || version->isEmpty())
        return QStringLiteral("The system database ") + file + QStringLiteral(" cannot be read: ") +
               db.lastError();
    const int found = int(version->at(0, 0).toNumber().value_or(0));
    if (found > SystemSchema::version)
        return QStringLiteral("The system database ") + file +
               QStringLiteral(" has version %1, newer than this program can use (%2); it was left "
                              "unchanged")
                   .arg(found)
                   .arg(SystemSchema::version);

    std::vector<SystemTableSchema> tables = SystemSchema::tables(names);
    for (size_t i = 0; i < tables.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (tables[i].name.compare(tables[j].name, Qt::CaseInsensitive) == 0)
                return QStringLiteral("Two system tables are configured with the same name ") +
                       tables[i].name;

    // A complete file is left alone without taking the write lock: it may be read-only.
    std::vector<SystemTableSchema> missing;
    if (QString error = missingTables(db, file, tables, missing);
        !error.isEmpty() || (missing.empty() && found == SystemSchema::version))
        return error;

    // Two programs starting at once may both find a fresh file: the second waits for the write
    // lock and then looks again, finding the tables the first created.
    // A file that lacks only the seeding of a newer version stays usable where it cannot be
    // written (a shared read-only copy): it is opened as it is.
    const bool onlySeeding = missing.empty();
    TransactionScope transaction(db);
    if (!transaction.began())
        return onlySeeding ? QString()
                           : QStringLiteral("The system database ") + file +
                                 QStringLiteral(" cannot be written: ") + db.lastError();
    if (QString error = missingTables(db, file, tables, missing);
        !error.isEmpty() || (missing.empty() && found == SystemSchema::version))
        return error;
    for (const SystemTableSchema& t : missing) {
        if (!db.execute(t.createStatement()))
            return QStringLiteral("The table ") + t.name +
                   QStringLiteral(" cannot be created in the system database ") + file +
                   QStringLiteral(": ") + db.lastError();
        added << t.name;
    }
    if (QString error = seedShipped(db, file, names, added, found); !error.isEmpty())
        return onlySeeding ? QString() : error;
    if (!db.executeNative(QStringLiteral("PRAGMA user_version = %1").arg(SystemSchema::version)) ||
        !transaction.commit()) {
        added.clear();
        return onlySeeding ? QString()
                           : QStringLiteral("The system database ") + file +
                                 QStringLiteral(" cannot be written: ") + db.lastError();
    }
    return {};
}

// The settings key that holds a server system database's schema version (a file keeps it in
// PRAGMA user_version).
QString versionKey() {
    return QStringLiteral("SystemVersion");
}

// Brings a server system database up to the current schema in one transaction: the missing
// tables, the shipped libraries for new ones, the version stamp. Its tables are those of the
// connection's current schema. Returns the error text, empty on success.
QString completeServerSchema(Connection& db, const QString& source, const SystemTables& names,
                             QStringList& added) {
    const auto missingTables = [&](std::vector<SystemTableSchema>& missing) -> bool {
        const auto present = db.tables();
        if (!present)
            return false;
        missing.clear();
        for (const SystemTableSchema& t : SystemSchema::tables(names))
            if (std::none_of(present->begin(), present->end(), [&](const TableDescription& d) {
                    return d.name.compare(t.name, Qt::CaseInsensitive) == 0;
                }))
                missing.push_back(t);
        return true;
    };
    const auto unreadable = [&] {
        return QStringLiteral("The system database ") + source +
               QStringLiteral(" cannot be read: ") + db.lastError();
    };
    std::vector<SystemTableSchema> missing;
    if (!missingTables(missing))
        return unreadable();
    const bool hasSettings = std::none_of(missing.begin(), missing.end(),
                                          [&](const auto& t) { return t.name == names.settings; });
    int found = 0;
    if (hasSettings) {
        ObjectLibrary library(db, names);
        const auto stamped = library.setting(versionKey());
        if (!stamped && !library.lastError().isEmpty())
            return unreadable();
        found = stamped ? stamped->toInt() : 0;
    }
    if (found > SystemSchema::version)
        return QStringLiteral("The system database ") + source +
               QStringLiteral(" has version %1, newer than this program can use (%2); it was left "
                              "unchanged")
                   .arg(found)
                   .arg(SystemSchema::version);
    if (missing.empty() && found == SystemSchema::version)
        return {};

    TransactionScope transaction(db);
    const auto unwritable = [&] {
        return QStringLiteral("The system database ") + source +
               QStringLiteral(" cannot be written: ") + db.lastError();
    };
    if (!transaction.began())
        return unwritable();
    for (const SystemTableSchema& t : missing) {
        if (!db.execute(t.createStatement()))
            return QStringLiteral("The table ") + t.name +
                   QStringLiteral(" cannot be created in the system database ") + source +
                   QStringLiteral(": ") + db.lastError();
        added << t.name;
    }
    if (QString error = seedShipped(db, source, names, added, found); !error.isEmpty())
        return error;
    ObjectLibrary library(db, names, ObjectLibrary::Transactions::Caller);
    if (!library.setSetting(versionKey(), QString::number(SystemSchema::version)) ||
        !transaction.commit()) {
        added.clear();
        return unwritable();
    }
    return {};
}

// A server system database: the data source as a session database gives it (a service name,
// a conninfo text or a postgresql:// URI), its login from there or from libpq's own files
// (~/.pgpass, pg_service.conf), never a user name and password built into the program.
OpenedConnection openServer(const ConnectionTarget& target, const SystemTables& names) {
    // Messages name the data source without its password.
    const QString shown = ConnectionTextRedactor::redact(target.dataSource);
    OpenedConnection opened = ConnectionFactory::open(target);
    if (!opened.ok())
        return failure(QStringLiteral("The system database ") + shown +
                       QStringLiteral(" cannot be opened: ") +
                       ConnectionTextRedactor::redactMessage(opened.error, target.dataSource));
    QStringList added;
    const QString error = completeServerSchema(*opened.connection, shown, names, added);
    if (!error.isEmpty())
        return failure(error);
    if (!added.isEmpty())
        opened.notice = QStringLiteral("Tables added to the system database ") + shown +
                        QStringLiteral(": ") + added.join(QStringLiteral(", "));
    return opened;
}

} // namespace

QString SystemDatabase::sqliteFile(const QString& path) {
    const QString p = normalised(path.trimmed());
    if (p.isEmpty())
        return {};
    switch (ConnectionFactory::target(p).kind) {
    case ConnectionTarget::Kind::Sqlite:
        return p;
    case ConnectionTarget::Kind::Jet:
        return JetImporter::workingCopyBeside(p);
    case ConnectionTarget::Kind::DBase:
    case ConnectionTarget::Kind::Server:
        break;
    }
    return {};
}

OpenedConnection SystemDatabase::open(const QString& path, const SystemTables& names) {
    const QString configured = normalised(path.trimmed());
    if (configured.isEmpty())
        return failure(QStringLiteral("No system database is configured"));
    // A data source keeps its text as it is ("\" may belong to a password or a socket path).
    if (const ConnectionTarget target = ConnectionFactory::target(path.trimmed());
        target.kind == ConnectionTarget::Kind::Server)
        return openServer(target, names);
    const QString file = sqliteFile(configured);
    if (file.isEmpty())
        return failure(QStringLiteral("The system database ") + configured +
                       QStringLiteral(" must be a SQLite file (.sqlite, .db, .sqlite3, .db3), a "
                                      "Jet file (.mdb) or a PostgreSQL data source"));

    QStringList notices;
    QStringList warnings;
    const bool jet = file != configured;
    if (jet && !QFileInfo(file).isFile()) {
        if (!QFileInfo(configured).isFile())
            return failure(QStringLiteral("The system database ") + configured +
                           QStringLiteral(" does not exist"));
        const JetImporter::Result imported = JetImporter::import(configured, file);
        if (!imported.ok())
            return failure(QStringLiteral("The system database ") + configured +
                           QStringLiteral(" cannot be imported: ") + imported.error);
        notices << QStringLiteral("The system database ") + configured +
                       QStringLiteral(" was imported into ") + file;
        warnings = imported.warnings;
    }

    const QFileInfo info(file);
    const bool isNew = !info.exists();
    if (!isNew && !info.isFile())
        return failure(QStringLiteral("The system database ") + file +
                       QStringLiteral(" is not a file"));
    if (isNew && !QDir().mkpath(info.absolutePath()))
        return failure(QStringLiteral("The folder ") + info.absolutePath() +
                       QStringLiteral(" for the system database cannot be created"));

    OpenedConnection opened = SqliteConnection::open(
        file, isNew ? SqliteConnection::Mode::ReadWriteCreate : SqliteConnection::Mode::ReadWrite);
    if (!opened.ok())
        return failure(QStringLiteral("The system database ") + file +
                       QStringLiteral(" cannot be opened: ") + opened.error);

    QStringList added;
    const QString error =
        completeSchema(static_cast<SqliteConnection&>(*opened.connection), file, names, added);
    if (!error.isEmpty()) {
        opened.connection.reset();
        if (isNew)
            QFile::remove(file); // an empty file would pass for a system database next time
        return failure(error);
    }
    if (isNew)
        notices << QStringLiteral("The system database ") + file + QStringLiteral(" was created");
    else if (!added.isEmpty())
        notices << QStringLiteral("Tables added to the system database ") + file +
                       QStringLiteral(": ") + added.join(QStringLiteral(", "));
    opened.notice = notices.join(QLatin1Char('\n'));
    opened.warnings = warnings;
    return opened;
}
