#include "platform/postgres/PgConnection.h"

#include "platform/JetSqlTokenizer.h"
#include "platform/SqlDialectTranslator.h"
#include "platform/postgres/PgStatement.h"
#include "platform/postgres/PgTypeMap.h"

#include <map>

namespace {

void ignoreNotice(void*, const char*) {}

bool isConnectionString(const QString& s) {
    return s.startsWith(QLatin1String("postgresql://")) ||
           s.startsWith(QLatin1String("postgres://")) || s.contains(QLatin1Char('='));
}

// PostgreSQL stores a view's SELECT rewritten in its own form, but the program takes stored
// definitions apart again by their Jet keywords and re-creates views from them. So each view
// created through Jet text keeps that text as its comment: "QUV Jet SQL " + the MD5 of the
// engine's own text + ":\n" + the Jet text. A view replaced by other means no longer matches its
// MD5, and then reads as the engine writes it rather than as an outdated Jet text.
const QString jetTextMarker = QStringLiteral("QUV Jet SQL ");
constexpr qsizetype md5Length = 32;

QString jetComment(const QString& engineTextMd5, const QString& jet) {
    return jetTextMarker + engineTextMd5 + QStringLiteral(":\n") + jet;
}

// The Jet text of a comment made by jetComment for a view whose engine text has this MD5.
std::optional<QString> jetTextOf(const QString& comment, const QString& engineTextMd5) {
    const qsizetype head = jetTextMarker.size() + md5Length + 2;
    if (!comment.startsWith(jetTextMarker) || comment.size() < head ||
        comment.mid(jetTextMarker.size(), md5Length) != engineTextMd5 ||
        comment.mid(head - 2, 2) != QLatin1String(":\n"))
        return std::nullopt;
    return comment.mid(head);
}

struct JetView {
    QString name;
    QString select;
};

// "CREATE VIEW name AS select": the name and the select as written; nullopt for anything else.
std::optional<JetView> jetCreateView(const QString& jetSql) {
    const auto tokens = JetSqlTokenizer::tokenize(jetSql);
    if (!tokens.ok())
        return std::nullopt;
    std::vector<const JetSqlToken*> sig;
    for (const JetSqlToken& t : tokens.tokens)
        if (t.kind != JetSqlToken::Kind::Whitespace && sig.size() < 4)
            sig.push_back(&t);
    if (sig.size() < 4 || !sig[0]->isWord("CREATE") || !sig[1]->isWord("VIEW") ||
        !(sig[2]->kind == JetSqlToken::Kind::Name || sig[2]->kind == JetSqlToken::Kind::Word) ||
        !sig[3]->isWord("AS"))
        return std::nullopt;
    QString select = jetSql.mid(sig[3]->position + sig[3]->text.size()).trimmed();
    while (select.endsWith(QLatin1Char(';')))
        select = select.chopped(1).trimmed();
    return JetView{sig[2]->value, select};
}

} // namespace

OpenedConnection PgConnection::open(const QString& dataSource, const QString& user,
                                    const QString& password) {
    OpenedConnection result;
    std::vector<QByteArray> keys, values;
    auto add = [&](const char* k, const QString& v) {
        keys.emplace_back(k);
        values.push_back(v.toUtf8());
    };
    // Values after the expanded data source override it; empty ones are left to libpq's own
    // defaults (PGUSER, ~/.pgpass, the service file).
    add(isConnectionString(dataSource) ? "dbname" : "service", dataSource);
    if (!user.isEmpty())
        add("user", user);
    if (!password.isEmpty())
        add("password", password);
    add("client_encoding", QStringLiteral("UTF8"));
    add("application_name", QStringLiteral("QUV Data"));
    std::vector<const char*> k, v;
    for (size_t i = 0; i < keys.size(); ++i) {
        k.push_back(keys[i].constData());
        v.push_back(values[i].constData());
    }
    k.push_back(nullptr);
    v.push_back(nullptr);
    PgConnectionHandle conn(PQconnectdbParams(k.data(), v.data(), 1));
    if (!conn || PQstatus(conn.get()) != CONNECTION_OK) {
        result.error = conn ? QString::fromUtf8(PQerrorMessage(conn.get())).trimmed()
                            : QStringLiteral("Out of memory");
        return result;
    }
    PQsetNoticeProcessor(conn.get(), ignoreNotice, nullptr);
    result.connection.reset(new PgConnection(std::move(conn)));
    return result;
}

bool PgConnection::isOpen() const {
    return conn_ && PQstatus(conn_.get()) == CONNECTION_OK;
}

bool PgConnection::checkOpen() {
    if (conn_)
        return true;
    error_ = QStringLiteral("The database is not open");
    return false;
}

std::optional<QString> PgConnection::translate(const QString& jetSql, int* parameters) {
    const auto t = SqlDialectTranslator::translate(jetSql, SqlDialect::Postgres);
    if (!t.ok()) {
        error_ = t.error;
        return std::nullopt;
    }
    if (parameters)
        *parameters = t.parameterCount;
    return t.sql;
}

std::optional<RowSet> PgConnection::queryNative(const QString& sql,
                                                const std::vector<CellValue>& values) {
    if (!checkOpen())
        return std::nullopt;
    const auto result = PgStatement::run(conn_.get(), nullptr, sql.toUtf8(), values, error_);
    if (!result)
        return std::nullopt;
    return PgStatement::rows(result.get());
}

std::optional<qint64> PgConnection::executeNative(const QString& sql,
                                                  const std::vector<CellValue>& values) {
    if (!checkOpen())
        return std::nullopt;
    const auto result = PgStatement::run(conn_.get(), nullptr, sql.toUtf8(), values, error_);
    if (!result)
        return std::nullopt;
    return PgStatement::affected(result.get());
}

std::optional<qint64> PgConnection::execute(const QString& jetSql,
                                            const std::vector<CellValue>& values) {
    const auto sql = translate(jetSql);
    if (!sql)
        return std::nullopt;
    const auto view = jetCreateView(jetSql);
    if (!view)
        return executeNative(*sql, values);
    // The view and its comment come together or not at all.
    const bool own = PQtransactionStatus(conn_.get()) == PQTRANS_IDLE;
    if (own && !beginTransaction())
        return std::nullopt;
    const auto done = executeNative(*sql, values);
    const auto md5 =
        done ? queryNative(QStringLiteral("SELECT md5(pg_get_viewdef(c.oid)) FROM pg_class c "
                                          "JOIN pg_namespace n ON n.oid = c.relnamespace "
                                          "WHERE n.nspname = current_schema() AND c.relname = $1"),
                           {CellValue::text(view->name)})
             : std::nullopt;
    // A utility statement takes no bound values; an E'' literal reads the same whatever
    // standard_conforming_strings says.
    QString comment =
        md5 && md5->rowCount() == 1 ? jetComment(md5->at(0, 0).toText(), view->select) : QString();
    comment.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    comment.replace(QLatin1Char('\''), QLatin1String("''"));
    // Without md5 rows queryNative has left its reason in error_.
    if (done && md5 && comment.isEmpty())
        error_ = QStringLiteral("The new view ") + view->name + QStringLiteral(" can not be read");
    const bool commented =
        !comment.isEmpty() && executeNative(QStringLiteral("COMMENT ON VIEW ") +
                                            SqlDialectTranslator::quoteName(view->name) +
                                            QStringLiteral(" IS E'") + comment + QLatin1Char('\''));
    if (!commented) {
        const QString error = error_;
        if (own)
            rollback();
        error_ = error;
        return std::nullopt;
    }
    if (own && !commit())
        return std::nullopt;
    return done;
}

std::optional<RowSet> PgConnection::query(const QString& jetSql,
                                          const std::vector<CellValue>& values) {
    const auto sql = translate(jetSql);
    return sql ? queryNative(*sql, values) : std::nullopt;
}

bool PgConnection::forEachRow(const QString& jetSql, const RowVisitor& visit,
                              const std::vector<CellValue>& values) {
    const auto sql = translate(jetSql);
    if (!sql || !checkOpen())
        return false;
    PGconn* c = conn_.get();
    const PgStatement::Parameters parameters(values);
    if (!PQsendQueryParams(c, sql->toUtf8().constData(), int(values.size()), nullptr,
                           parameters.pointers.data(), nullptr, nullptr, 0)) {
        error_ = QString::fromUtf8(PQerrorMessage(c)).trimmed();
        return false;
    }
    PQsetSingleRowMode(c);
    error_.clear();
    RowSet::Row row;
    // Every result is taken, also after a failure, so that the connection is ready again.
    while (const PgResultHandle result{PQgetResult(c)}) {
        const ExecStatusType status = PQresultStatus(result.get());
        if (status == PGRES_SINGLE_TUPLE) {
            if (!error_.isEmpty())
                continue;
            row.resize(size_t(PQnfields(result.get())));
            for (size_t i = 0; i < row.size(); ++i)
                row[i] = PgTypeMap::read(result.get(), 0, int(i));
            visit(row);
        } else if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK && error_.isEmpty()) {
            error_ = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
            if (error_.isEmpty())
                error_ = QStringLiteral("The statement failed");
        }
    }
    return error_.isEmpty();
}

std::unique_ptr<PreparedStatement> PgConnection::prepare(const QString& jetSql) {
    int parameters = 0;
    const auto sql = translate(jetSql, &parameters);
    if (!sql || !checkOpen())
        return nullptr;
    const QByteArray name = "quv_" + QByteArray::number(++nextStatement_);
    PgResultHandle result(
        PQprepare(conn_.get(), name.constData(), sql->toUtf8().constData(), 0, nullptr));
    if (!result || PQresultStatus(result.get()) != PGRES_COMMAND_OK) {
        error_ = QString::fromUtf8(PQerrorMessage(conn_.get())).trimmed();
        return nullptr;
    }
    PgResultHandle described(PQdescribePrepared(conn_.get(), name.constData()));
    const int n = described ? PQnparams(described.get()) : parameters;
    return std::make_unique<PgStatement>(conn_, name, n);
}

bool PgConnection::beginTransaction() {
    return executeNative(QStringLiteral("BEGIN")).has_value();
}
bool PgConnection::commit() {
    return executeNative(QStringLiteral("COMMIT")).has_value();
}
bool PgConnection::rollback() {
    return executeNative(QStringLiteral("ROLLBACK")).has_value();
}

std::optional<std::vector<TableDescription>> PgConnection::tables() {
    const auto rows = queryNative(QStringLiteral(
        "SELECT c.relname, c.relkind, CASE WHEN c.relkind IN ('v', 'm') THEN pg_get_viewdef(c.oid) "
        "END, obj_description(c.oid, 'pg_class'), "
        "CASE WHEN c.relkind IN ('v', 'm') THEN md5(pg_get_viewdef(c.oid)) END "
        "FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p', 'f', 'v', 'm') "
        "ORDER BY c.relname"));
    if (!rows)
        return std::nullopt;
    std::vector<TableDescription> result;
    for (qsizetype r = 0; r < rows->rowCount(); ++r) {
        TableDescription t;
        t.name = rows->at(r, 0).toText();
        const QString kind = rows->at(r, 1).toText();
        t.kind = kind == QLatin1String("v") || kind == QLatin1String("m")
                     ? TableDescription::Kind::View
                     : TableDescription::Kind::Table;
        const auto jet = t.kind == TableDescription::Kind::View
                             ? jetTextOf(rows->at(r, 3).toText(), rows->at(r, 4).toText())
                             : std::nullopt;
        if (jet) {
            t.viewText = *jet;
        } else {
            t.viewText = rows->at(r, 2).toText().trimmed();
            if (t.viewText.endsWith(QLatin1Char(';')))
                t.viewText.chop(1);
        }
        result.push_back(t);
    }
    return result;
}

std::optional<std::vector<ColumnDescription>> PgConnection::columns() {
    const auto rows = queryNative(QStringLiteral(
        "SELECT c.relname, a.attname, t.typname, a.atttypmod, a.attnotnull, "
        "format_type(a.atttypid, a.atttypmod) "
        "FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
        "JOIN pg_namespace n ON n.oid = c.relnamespace JOIN pg_type t ON t.oid = a.atttypid "
        "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p', 'f', 'v', 'm') "
        "AND a.attnum > 0 AND NOT a.attisdropped ORDER BY c.relname, a.attnum"));
    if (!rows)
        return std::nullopt;
    std::vector<ColumnDescription> result;
    QString table;
    int ordinal = 0;
    for (qsizetype r = 0; r < rows->rowCount(); ++r) {
        ColumnDescription c;
        c.table = rows->at(r, 0).toText();
        // Dropped columns leave gaps in attnum; ordinals are counted instead.
        ordinal = c.table == table ? ordinal + 1 : 1;
        table = c.table;
        c.ordinal = ordinal;
        c.name = rows->at(r, 1).toText();
        const auto type = PgTypeMap::adoType(rows->at(r, 2).toText(),
                                             int(rows->at(r, 3).toNumber().value_or(-1)));
        c.typeCode = type.code;
        c.maxLength = type.maxLength;
        c.nullable = !rows->at(r, 4).toBoolean().value_or(false);
        c.declaredType = rows->at(r, 5).toText();
        result.push_back(c);
    }
    return result;
}

std::optional<std::vector<IndexDescription>> PgConnection::indexes() {
    const auto rows = queryNative(QStringLiteral(
        "SELECT t.relname, i.relname, ix.indisunique, ix.indisprimary, a.attname "
        "FROM pg_index ix JOIN pg_class i ON i.oid = ix.indexrelid "
        "JOIN pg_class t ON t.oid = ix.indrelid JOIN pg_namespace n ON n.oid = t.relnamespace "
        "CROSS JOIN LATERAL unnest(ix.indkey::int2[]) WITH ORDINALITY AS k(attnum, ord) "
        "JOIN pg_attribute a ON a.attrelid = t.oid AND a.attnum = k.attnum "
        "WHERE n.nspname = current_schema() "
        "ORDER BY t.relname, ix.indisprimary DESC, i.relname, k.ord"));
    if (!rows)
        return std::nullopt;
    std::vector<IndexDescription> result;
    for (qsizetype r = 0; r < rows->rowCount(); ++r) {
        const QString table = rows->at(r, 0).toText(), name = rows->at(r, 1).toText();
        if (result.empty() || result.back().table != table || result.back().name != name) {
            IndexDescription ix;
            ix.table = table;
            ix.name = name;
            ix.unique = rows->at(r, 2).toBoolean().value_or(false);
            ix.primaryKey = rows->at(r, 3).toBoolean().value_or(false);
            result.push_back(ix);
        }
        result.back().columns << rows->at(r, 4).toText();
    }
    return result;
}

std::optional<std::vector<ForeignKeyDescription>> PgConnection::foreignKeys() {
    const auto rows = queryNative(QStringLiteral(
        "SELECT con.conname, t.relname, a.attname, rt.relname, ra.attname "
        "FROM pg_constraint con JOIN pg_class t ON t.oid = con.conrelid "
        "JOIN pg_class rt ON rt.oid = con.confrelid JOIN pg_namespace n ON n.oid = t.relnamespace "
        "CROSS JOIN LATERAL unnest(con.conkey, con.confkey) WITH ORDINALITY AS k(col, refcol, ord) "
        "JOIN pg_attribute a ON a.attrelid = t.oid AND a.attnum = k.col "
        "JOIN pg_attribute ra ON ra.attrelid = rt.oid AND ra.attnum = k.refcol "
        "WHERE con.contype = 'f' AND n.nspname = current_schema() "
        "ORDER BY t.relname, con.conname, k.ord"));
    if (!rows)
        return std::nullopt;
    std::vector<ForeignKeyDescription> result;
    for (qsizetype r = 0; r < rows->rowCount(); ++r) {
        const QString name = rows->at(r, 0).toText(), table = rows->at(r, 1).toText();
        if (result.empty() || result.back().table != table || result.back().name != name) {
            ForeignKeyDescription fk;
            fk.name = name;
            fk.table = table;
            fk.referencedTable = rows->at(r, 3).toText();
            result.push_back(fk);
        }
        result.back().columns << rows->at(r, 2).toText();
        result.back().referencedColumns << rows->at(r, 4).toText();
    }
    return result;
}

// The base column behind column `column` (1-based) of relation `tableOid`, following views.
std::optional<ColumnOrigin> PgConnection::originOf(unsigned tableOid, int column, int depth) {
    const auto rel = queryNative(
        QStringLiteral(
            "SELECT c.relname, c.relkind, a.attname FROM pg_class c "
            "JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum = $2 WHERE c.oid = $1"),
        {CellValue::number(tableOid), CellValue::number(column)});
    if (!rel || rel->rowCount() != 1)
        return std::nullopt;
    ColumnOrigin o;
    o.baseTable = rel->at(0, 0).toText();
    o.baseColumn = rel->at(0, 2).toText();
    if (rel->at(0, 1).toText() != QLatin1String("v") || depth > 8)
        return o;
    const auto inner = columnOrigins(o.baseTable);
    if (!inner || column > int(inner->size()))
        return o;
    const ColumnOrigin& base = (*inner)[size_t(column - 1)];
    o.baseTable = base.baseTable;
    o.baseColumn = base.baseColumn;
    return o;
}

std::optional<std::vector<ColumnOrigin>> PgConnection::columnOrigins(const QString& viewOrTable) {
    const auto def =
        queryNative(QStringLiteral("SELECT c.relkind, pg_get_viewdef(c.oid) FROM pg_class c "
                                   "JOIN pg_namespace n ON n.oid = c.relnamespace "
                                   "WHERE n.nspname = current_schema() AND c.relname = $1"),
                    {CellValue::text(viewOrTable)});
    if (!def)
        return std::nullopt;
    if (def->rowCount() != 1) {
        error_ = QStringLiteral("No table or view named ") + viewOrTable;
        return std::nullopt;
    }
    // A view's own columns report the view; its definition run as a subquery reports the tables
    // behind it.
    QString source = SqlDialectTranslator::quoteName(viewOrTable);
    if (def->at(0, 0).toText() == QLatin1String("v")) {
        QString text = def->at(0, 1).toText().trimmed();
        if (text.endsWith(QLatin1Char(';')))
            text.chop(1);
        source = QStringLiteral("(") + text + QStringLiteral(") AS quv_origin");
    }
    QString error;
    const auto result = PgStatement::run(
        conn_.get(), nullptr,
        (QStringLiteral("SELECT * FROM ") + source + QStringLiteral(" LIMIT 0")).toUtf8(), {},
        error);
    if (!result) {
        error_ = error;
        return std::nullopt;
    }
    std::vector<ColumnOrigin> origins;
    for (int c = 0; c < PQnfields(result.get()); ++c) {
        ColumnOrigin o;
        o.column = QString::fromUtf8(PQfname(result.get(), c));
        const Oid table = PQftable(result.get(), c);
        const int column = PQftablecol(result.get(), c);
        if (table != InvalidOid && column > 0)
            if (const auto base = originOf(table, column, 0)) {
                o.baseTable = base->baseTable;
                o.baseColumn = base->baseColumn;
            }
        origins.push_back(o);
    }
    return origins;
}
