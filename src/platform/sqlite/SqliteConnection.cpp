#include "platform/sqlite/SqliteConnection.h"

#include "platform/JetSqlTokenizer.h"
#include "platform/SqlDialectTranslator.h"
#include "platform/sqlite/SqliteStatement.h"
#include "platform/sqlite/SqliteTypeMap.h"

#include <QDir>
#include <map>

namespace {

QString notOpen() {
    return QStringLiteral("The database is not open");
}

// The SELECT text of "CREATE VIEW name [(columns)] AS SELECT ...".
QString viewSelectText(const QString& createSql) {
    const auto tokens = JetSqlTokenizer::tokenize(createSql);
    if (!tokens.ok())
        return createSql;
    int depth = 0;
    for (const JetSqlToken& t : tokens.tokens) {
        if (t.isPunctuation('('))
            ++depth;
        else if (t.isPunctuation(')'))
            --depth;
        else if (depth == 0 && t.isWord("AS"))
            return createSql.mid(t.position + t.text.size()).trimmed();
    }
    return createSql;
}

} // namespace

OpenedConnection SqliteConnection::open(const QString& path, Mode mode) {
    OpenedConnection result;
    const QString native =
        QDir::fromNativeSeparators(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
    int flags = SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE;
    flags |= mode == Mode::ReadOnly          ? SQLITE_OPEN_READONLY
             : mode == Mode::ReadWriteCreate ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                             : SQLITE_OPEN_READWRITE;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(native.toUtf8().constData(), &raw, flags, nullptr);
    SqliteDatabaseHandle db(raw);
    if (rc != SQLITE_OK) {
        result.error =
            raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QString::fromUtf8(sqlite3_errstr(rc));
        return result;
    }
    sqlite3_busy_timeout(raw, 5000);
    // A file that is not a database fails here rather than at the first query.
    std::unique_ptr<SqliteConnection> c(new SqliteConnection(std::move(db)));
    if (!c->queryNative(QStringLiteral("SELECT count(*) FROM sqlite_schema"))) {
        result.error = c->lastError();
        return result;
    }
    result.connection = std::move(c);
    return result;
}

std::unique_ptr<SqliteStatement> SqliteConnection::compile(const QString& sql) {
    if (!db_) {
        error_ = notOpen();
        return nullptr;
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_.get(), utf8.constData(), int(utf8.size()), &raw, &tail) !=
        SQLITE_OK) {
        error_ = QString::fromUtf8(sqlite3_errmsg(db_.get()));
        return nullptr;
    }
    SqliteStatementHandle st(raw);
    if (!st) {
        error_ = QStringLiteral("Empty SQL statement");
        return nullptr;
    }
    if (tail && !QByteArray(tail).trimmed().isEmpty()) {
        error_ = SqlDialectTranslator::secondStatementError();
        return nullptr;
    }
    return std::make_unique<SqliteStatement>(db_, std::move(st));
}

std::optional<QString> SqliteConnection::translate(const QString& jetSql) {
    const auto t = SqlDialectTranslator::translate(jetSql, SqlDialect::Sqlite);
    if (!t.ok())
        return failed<QString>(t.error);
    return t.sql;
}

std::unique_ptr<PreparedStatement> SqliteConnection::prepareNative(const QString& sql) {
    return compile(sql);
}

std::optional<RowSet> SqliteConnection::queryNative(const QString& sql,
                                                    const std::vector<CellValue>& values) {
    auto st = compile(sql);
    if (!st)
        return std::nullopt;
    auto rows = st->query(values);
    if (!rows)
        error_ = st->lastError();
    return rows;
}

std::optional<qint64> SqliteConnection::executeNative(const QString& sql,
                                                      const std::vector<CellValue>& values) {
    auto st = compile(sql);
    if (!st)
        return std::nullopt;
    auto n = st->execute(values);
    if (!n)
        error_ = st->lastError();
    return n;
}

std::optional<qint64> SqliteConnection::execute(const QString& jetSql,
                                                const std::vector<CellValue>& values) {
    const auto sql = translate(jetSql);
    if (!sql)
        return std::nullopt;
    auto n = executeNative(*sql, values);
    if (n)
        dropPlaceholderAfterAddColumn(jetSql);
    return n;
}

std::optional<RowSet> SqliteConnection::query(const QString& jetSql,
                                              const std::vector<CellValue>& values) {
    const auto sql = translate(jetSql);
    if (!sql)
        return std::nullopt;
    return queryNative(*sql, values);
}

bool SqliteConnection::forEachRow(const QString& jetSql, const RowVisitor& visit,
                                  const std::vector<CellValue>& values) {
    const auto sql = translate(jetSql);
    if (!sql)
        return false;
    auto st = compile(*sql);
    if (!st)
        return false;
    if (st->forEachRow(values, visit))
        return true;
    error_ = st->lastError();
    return false;
}

std::unique_ptr<PreparedStatement> SqliteConnection::prepare(const QString& jetSql) {
    const auto sql = translate(jetSql);
    if (!sql)
        return nullptr;
    return compile(*sql);
}

// A table made by a bare "CREATE TABLE [x]" carries a placeholder column until its first real
// column arrives; then the placeholder goes.
void SqliteConnection::dropPlaceholderAfterAddColumn(const QString& jetSql) {
    const auto tokens = JetSqlTokenizer::tokenize(jetSql);
    std::vector<const JetSqlToken*> sig;
    for (const JetSqlToken& t : tokens.tokens)
        if (t.kind != JetSqlToken::Kind::Whitespace)
            sig.push_back(&t);
    if (sig.size() < 5 || !sig[0]->isWord("ALTER") || !sig[1]->isWord("TABLE") ||
        !sig[3]->isWord("ADD"))
        return;
    const QString table = sig[2]->value;
    const QString placeholder = SqlDialectTranslator::sqlitePlaceholderColumn();
    const auto found =
        queryNative(QStringLiteral("SELECT count(*) FROM pragma_table_info(?) WHERE name = ?"),
                    {CellValue::text(table), CellValue::text(placeholder)});
    if (found && found->rowCount() == 1 && found->at(0, 0).toNumber().value_or(0) > 0)
        executeNative(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2")
                          .arg(SqlDialectTranslator::quoteName(table),
                               SqlDialectTranslator::quoteName(placeholder)));
}

bool SqliteConnection::beginTransaction() {
    return executeNative(QStringLiteral("BEGIN IMMEDIATE")).has_value();
}
bool SqliteConnection::commit() {
    return executeNative(QStringLiteral("COMMIT")).has_value();
}
bool SqliteConnection::rollback() {
    return executeNative(QStringLiteral("ROLLBACK")).has_value();
}

std::optional<std::vector<TableDescription>> SqliteConnection::tables() {
    // Temporary views are the tables linked from other databases (TableLinker), listed after
    // the database's own as tables; temporary work tables are not listed.
    const auto rows = queryNative(QStringLiteral(
        "SELECT name, type, sql, 0 AS linked FROM (SELECT name, type, sql FROM sqlite_schema "
        "WHERE type IN ('table', 'view') ORDER BY rowid) UNION ALL SELECT name, type, sql, 1 FROM "
        "(SELECT name, type, sql FROM sqlite_temp_schema WHERE type = 'view' ORDER BY rowid)"));
    if (!rows)
        return std::nullopt;
    std::vector<TableDescription> result;
    for (qsizetype r = 0; r < rows->rowCount(); ++r) {
        TableDescription t;
        t.name = rows->at(r, 0).toText();
        const bool view = rows->at(r, 1).toText() == QLatin1String("view") &&
                          rows->at(r, 3).toNumber().value_or(0) == 0;
        t.kind = view ? TableDescription::Kind::View
                 : t.name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)
                     ? TableDescription::Kind::SystemTable
                     : TableDescription::Kind::Table;
        // A linked table keeps its SELECT over the other database: a table with a SELECT text
        // is known to be linked for this connection only.
        if (view || rows->at(r, 3).toNumber().value_or(0) != 0)
            t.viewText = viewSelectText(rows->at(r, 2).toText());
        result.push_back(t);
    }
    return result;
}

std::optional<std::vector<ColumnDescription>> SqliteConnection::columns() {
    const auto rows = queryNative(
        QStringLiteral("SELECT m.name, p.name, p.type, p.\"notnull\" FROM (SELECT 0 AS s, rowid "
                       "AS r, name FROM sqlite_schema WHERE type IN ('table', 'view') UNION ALL "
                       "SELECT 1, rowid, name FROM sqlite_temp_schema WHERE type = 'view') m "
                       "JOIN pragma_table_info(m.name) p ORDER BY m.s, m.r, p.cid"));
    if (!rows)
        return std::nullopt;
    std::vector<ColumnDescription> result;
    QString table;
    int ordinal = 0;
    for (qsizetype r = 0; r < rows->rowCount(); ++r) {
        ColumnDescription c;
        c.table = rows->at(r, 0).toText();
        c.name = rows->at(r, 1).toText();
        if (c.name == SqlDialectTranslator::sqlitePlaceholderColumn())
            continue;
        ordinal = c.table == table ? ordinal + 1 : 1;
        table = c.table;
        c.ordinal = ordinal;
        c.declaredType = rows->at(r, 2).toText();
        const auto type = SqliteTypeMap::adoType(c.declaredType);
        c.typeCode = type.code;
        c.maxLength = type.maxLength;
        c.nullable = rows->at(r, 3).toNumber().value_or(0) == 0;
        result.push_back(c);
    }
    return result;
}

std::optional<std::vector<IndexDescription>> SqliteConnection::indexes() {
    const auto rows = queryNative(QStringLiteral(
        "SELECT m.name, il.name, il.\"unique\", il.origin, ii.name FROM sqlite_schema m "
        "JOIN pragma_index_list(m.name) il JOIN pragma_index_info(il.name) ii "
        "WHERE m.type = 'table' ORDER BY m.rowid, il.seq DESC, ii.seqno"));
    // INTEGER PRIMARY KEY columns are the rowid itself and have no index entry.
    const auto rowidKeys = queryNative(QStringLiteral(
        "SELECT m.name, p.name FROM sqlite_schema m JOIN pragma_table_info(m.name) p "
        "WHERE m.type = 'table' AND p.pk = 1 AND upper(p.type) = 'INTEGER' "
        "AND (SELECT count(*) FROM pragma_table_info(m.name) q WHERE q.pk > 0) = 1 "
        "AND NOT EXISTS (SELECT 1 FROM pragma_index_list(m.name) x WHERE x.origin = 'pk') "
        "ORDER BY m.rowid"));
    if (!rows || !rowidKeys)
        return std::nullopt;
    const auto order = queryNative(
        QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY rowid"));
    if (!order)
        return std::nullopt;
    std::map<QString, std::vector<IndexDescription>> byTable;
    for (qsizetype r = 0; r < rowidKeys->rowCount(); ++r) {
        IndexDescription pk;
        pk.table = rowidKeys->at(r, 0).toText();
        pk.name = QStringLiteral("PRIMARY KEY");
        pk.columns << rowidKeys->at(r, 1).toText();
        pk.unique = pk.primaryKey = true;
        byTable[pk.table].push_back(pk);
    }
    for (qsizetype r = 0; r < rows->rowCount(); ++r) {
        const QString table = rows->at(r, 0).toText();
        const QString name = rows->at(r, 1).toText();
        auto& list = byTable[table];
        if (list.empty() || list.back().name != name) {
            IndexDescription ix;
            ix.table = table;
            ix.name = name;
            ix.unique = rows->at(r, 2).toNumber().value_or(0) != 0;
            ix.primaryKey = rows->at(r, 3).toText() == QLatin1String("pk");
            list.push_back(ix);
        }
        list.back().columns << rows->at(r, 4).toText();
    }
    std::vector<IndexDescription> result;
    for (qsizetype r = 0; r < order->rowCount(); ++r)
        for (auto& ix : byTable[order->at(r, 0).toText()])
            result.push_back(std::move(ix));
    return result;
}

std::optional<std::vector<ForeignKeyDescription>> SqliteConnection::foreignKeys() {
    const auto rows = queryNative(QStringLiteral(
        "SELECT m.name, f.id, f.\"table\", f.\"from\", f.\"to\" FROM sqlite_schema m "
        "JOIN pragma_foreign_key_list(m.name) f WHERE m.type = 'table' ORDER BY m.rowid, f.id, "
        "f.seq"));
    if (!rows)
        return std::nullopt;
    std::vector<ForeignKeyDescription> result;
    qint64 lastId = -1;
    QString lastTable;
    for (qsizetype r = 0; r < rows->rowCount(); ++r) {
        const QString table = rows->at(r, 0).toText();
        const qint64 id = qint64(rows->at(r, 1).toNumber().value_or(0));
        if (result.empty() || table != lastTable || id != lastId) {
            ForeignKeyDescription fk;
            fk.table = table;
            fk.name = table + QLatin1Char('_') + QString::number(id);
            fk.referencedTable = rows->at(r, 2).toText();
            result.push_back(fk);
        }
        lastTable = table;
        lastId = id;
        result.back().columns << rows->at(r, 3).toText();
        QString to = rows->at(r, 4).toText();
        result.back().referencedColumns << to;
    }
    return result;
}

std::optional<std::vector<ColumnOrigin>>
SqliteConnection::columnOrigins(const QString& viewOrTable) {
    if (!db_)
        return failed<std::vector<ColumnOrigin>>(notOpen());
    // The statement is only compiled, never run: the origins come from the compiled form.
    sqlite3* db = db_.get();
    sqlite3_stmt* raw = nullptr;
    const QByteArray sql =
        (QStringLiteral("SELECT * FROM ") + SqlDialectTranslator::quoteName(viewOrTable)).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &raw, nullptr) != SQLITE_OK) {
        error_ = QString::fromUtf8(sqlite3_errmsg(db));
        return std::nullopt;
    }
    SqliteStatementHandle handle(raw);
    std::vector<ColumnOrigin> result;
    for (int i = 0; i < sqlite3_column_count(raw); ++i) {
        ColumnOrigin o;
        o.column = QString::fromUtf8(sqlite3_column_name(raw, i));
        if (const char* t = sqlite3_column_table_name(raw, i))
            o.baseTable = QString::fromUtf8(t);
        if (const char* c = sqlite3_column_origin_name(raw, i))
            o.baseColumn = QString::fromUtf8(c);
        result.push_back(o);
    }
    return result;
}
