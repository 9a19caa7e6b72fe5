#include "db/TableLinker.h"

#include "db/SessionDatabase.h"
#include "platform/Dialogs.h"
#include "platform/SqlDialectTranslator.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QFileInfo>

namespace {
SqliteConnection* sqliteOf(SessionDatabase& session) {
    return session.isOpen() ? dynamic_cast<SqliteConnection*>(session.connection()) : nullptr;
}
} // namespace

TableLinker::TableLinker(SessionDatabase& session, Dialogs& dialogs)
    : session_(session)
    , dialogs_(dialogs) {}

TableLinker::Source TableLinker::read(const QString& path) {
    Source source;
    // Only a file that is there: opening must never make an empty database.
    if (!QFileInfo(path).isFile()) {
        source.error = QStringLiteral("The file ") + path + QStringLiteral(" is not there");
        return source;
    }
    const OpenedConnection opened = SqliteConnection::open(path, SqliteConnection::Mode::ReadOnly);
    const auto tables = opened.ok() ? opened.connection->tables() : std::nullopt;
    if (!tables) {
        source.error = QStringLiteral("The file ") + path +
                       QStringLiteral(" is not a database that can be linked: ") +
                       (opened.ok() ? opened.connection->lastError() : opened.error);
        return source;
    }
    for (const TableDescription& t : *tables) {
        if (t.kind == TableDescription::Kind::Table)
            source.tables << t.name;
        else if (t.kind == TableDescription::Kind::View)
            source.queries << t.name;
    }
    return source;
}

int TableLinker::link(const QString& sourcePath, const QStringList& names) {
    SqliteConnection* db = sqliteOf(session_);
    if (!db) {
        dialogs_.message(MessageKind::Exclamation, notAvailable());
        return 0;
    }
    const Source source = read(sourcePath);
    if (!source.error.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, source.error);
        return 0;
    }
    const QString schema = attach(sourcePath);
    if (schema.isEmpty())
        return 0;
    int done = 0;
    QStringList refused;
    for (const QString& name : names) {
        if (!source.tables.contains(name) && !source.queries.contains(name)) {
            refused << name + QStringLiteral(": not in ") + sourcePath;
            continue;
        }
        // SQLite finds a temporary name before the database's own: a link must not hide one.
        const auto taken = db->queryNative(
            QStringLiteral("SELECT 1 FROM sqlite_schema WHERE lower(name) = lower(?1) UNION ALL "
                           "SELECT 1 FROM sqlite_temp_schema WHERE lower(name) = lower(?1)"),
            {CellValue::text(name)});
        if (!taken || taken->rowCount() > 0) {
            refused << name + QStringLiteral(": the open database has this name already");
            continue;
        }
        const QString quoted = SqlDialectTranslator::quoteName(name);
        if (!db->executeNative(QStringLiteral("CREATE TEMP VIEW ") + quoted +
                               QStringLiteral(" AS SELECT * FROM ") +
                               SqlDialectTranslator::quoteName(schema) + QLatin1Char('.') +
                               quoted)) {
            refused << name + QStringLiteral(": ") + db->lastError();
            continue;
        }
        ++done;
    }
    if (!refused.isEmpty())
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Not linked:\r\n") + refused.join(QStringLiteral("\r\n")));
    if (done > 0 && session_.RemapSessionDatabase({true, false, false}) && linked)
        linked();
    return done;
}

QString TableLinker::attach(const QString& sourcePath) {
    SqliteConnection* db = sqliteOf(session_);
    const QString file = QFileInfo(sourcePath).canonicalFilePath();
    const auto attached =
        db->queryNative(QStringLiteral("SELECT name, file FROM pragma_database_list"));
    QStringList names;
    for (qsizetype r = 0; attached && r < attached->rowCount(); ++r) {
        names << attached->at(r, 0).toText();
        if (QFileInfo(attached->at(r, 1).toText()).canonicalFilePath() == file)
            return names.back();
    }
    QString schema;
    for (int n = 1; schema.isEmpty() || names.contains(schema); ++n)
        schema = QStringLiteral("linked%1").arg(n);
    if (!db->executeNative(QStringLiteral("ATTACH DATABASE ?1 AS ") +
                               SqlDialectTranslator::quoteName(schema),
                           {CellValue::text(file)})) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("The database ") + sourcePath +
                                                       QStringLiteral(" cannot be linked: ") +
                                                       db->lastError());
        return {};
    }
    return schema;
}
