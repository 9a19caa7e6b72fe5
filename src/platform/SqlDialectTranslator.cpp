#include "platform/SqlDialectTranslator.h"

#include "platform/JetSqlTokenizer.h"

#include <QDateTime>
#include <QSet>
#include <optional>

namespace {

using K = JetSqlToken::Kind;

struct DdlType {
    QString sqlite;
    QString postgres;
    bool sized = false; // takes "(n)"; without one Jet means 255 characters
};

std::optional<DdlType> jetDdlType(const QString& word) {
    const QString w = word.toUpper();
    auto same = [](const char* t) { return DdlType{QLatin1String(t), QLatin1String(t)}; };
    if (w == QLatin1String("TEXT") || w == QLatin1String("STRING") ||
        w == QLatin1String("VARCHAR") || w == QLatin1String("CHAR") ||
        w == QLatin1String("CHARACTER") || w == QLatin1String("ALPHANUMERIC") ||
        w == QLatin1String("NVARCHAR"))
        // VARCHAR gives SQLite's TEXT affinity, so '00123' stays a text.
        return DdlType{QStringLiteral("VARCHAR"), QStringLiteral("VARCHAR"), true};
    if (w == QLatin1String("MEMO") || w == QLatin1String("LONGTEXT") ||
        w == QLatin1String("LONGCHAR") || w == QLatin1String("NOTE"))
        return same("TEXT");
    if (w == QLatin1String("SINGLE") || w == QLatin1String("REAL") ||
        w == QLatin1String("FLOAT4") || w == QLatin1String("IEEESINGLE"))
        return DdlType{QStringLiteral("FLOAT"), QStringLiteral("REAL")};
    if (w == QLatin1String("DOUBLE") || w == QLatin1String("FLOAT") ||
        w == QLatin1String("FLOAT8") || w == QLatin1String("IEEEDOUBLE") ||
        w == QLatin1String("NUMBER"))
        return DdlType{QStringLiteral("DOUBLE"), QStringLiteral("DOUBLE PRECISION")};
    if (w == QLatin1String("LONG") || w == QLatin1String("INTEGER") || w == QLatin1String("INT") ||
        w == QLatin1String("INTEGER4"))
        return same("INTEGER");
    if (w == QLatin1String("SHORT") || w == QLatin1String("SMALLINT") ||
        w == QLatin1String("INTEGER2"))
        return same("SMALLINT");
    if (w == QLatin1String("BYTE") || w == QLatin1String("TINYINT") ||
        w == QLatin1String("INTEGER1"))
        return DdlType{QStringLiteral("TINYINT"), QStringLiteral("SMALLINT")};
    if (w == QLatin1String("COUNTER") || w == QLatin1String("AUTOINCREMENT"))
        return DdlType{QStringLiteral("INTEGER"), QStringLiteral("SERIAL")};
    if (w == QLatin1String("CURRENCY") || w == QLatin1String("MONEY"))
        return DdlType{QStringLiteral("CURRENCY"), QStringLiteral("NUMERIC(19,4)")};
    if (w == QLatin1String("DATE") || w == QLatin1String("DATETIME") ||
        w == QLatin1String("TIME") || w == QLatin1String("TIMESTAMP"))
        // Jet dates carry a time of day.
        return DdlType{QStringLiteral("DATETIME"), QStringLiteral("TIMESTAMP")};
    if (w == QLatin1String("BOOLEAN") || w == QLatin1String("YESNO") || w == QLatin1String("BIT") ||
        w == QLatin1String("LOGICAL") || w == QLatin1String("LOGICAL1"))
        return same("BOOLEAN");
    if (w == QLatin1String("OLEOBJECT") || w == QLatin1String("LONGBINARY") ||
        w == QLatin1String("BINARY") || w == QLatin1String("VARBINARY") ||
        w == QLatin1String("IMAGE") || w == QLatin1String("GENERAL"))
        return DdlType{QStringLiteral("BLOB"), QStringLiteral("BYTEA")};
    if (w == QLatin1String("GUID") || w == QLatin1String("UNIQUEIDENTIFIER"))
        return DdlType{QStringLiteral("VARCHAR(38)"), QStringLiteral("UUID")};
    return std::nullopt;
}

// Words PostgreSQL must see bare. Every other bare word is a name and is quoted, so that it keeps
// its case like the bracketed names the same table was created with.
const QSet<QString>& postgresKeywords() {
    static const QSet<QString> words = [] {
        QSet<QString> s;
        for (const char* w : {"ADD",
                              "ALL",
                              "ALTER",
                              "AND",
                              "ANY",
                              "AS",
                              "ASC",
                              "BETWEEN",
                              "BY",
                              "CASCADE",
                              "CASE",
                              "CAST",
                              "CHECK",
                              "COLUMN",
                              "CONSTRAINT",
                              "CREATE",
                              "CROSS",
                              "CURRENT_DATE",
                              "CURRENT_TIMESTAMP",
                              "DEFAULT",
                              "DELETE",
                              "DESC",
                              "DISTINCT",
                              "DROP",
                              "ELSE",
                              "END",
                              "ESCAPE",
                              "EXISTS",
                              "FALSE",
                              "FETCH",
                              "FIRST",
                              "FOREIGN",
                              "FROM",
                              "FULL",
                              "GROUP",
                              "HAVING",
                              "IF",
                              "ILIKE",
                              "IN",
                              "INDEX",
                              "INNER",
                              "INSERT",
                              "INTO",
                              "IS",
                              "JOIN",
                              "KEY",
                              "LAST",
                              "LEFT",
                              "LIKE",
                              "LIMIT",
                              "NOT",
                              "NULL",
                              "NULLS",
                              "OFFSET",
                              "ON",
                              "ONLY",
                              "OR",
                              "ORDER",
                              "OUTER",
                              "PRECISION",
                              "PRIMARY",
                              "REFERENCES",
                              "RESTRICT",
                              "RIGHT",
                              "ROWS",
                              "SELECT",
                              "SET",
                              "SOME",
                              "TABLE",
                              "TEMP",
                              "TEMPORARY",
                              "THEN",
                              "TRUE",
                              "UNION",
                              "UNIQUE",
                              "UPDATE",
                              "USING",
                              "VALUES",
                              "VIEW",
                              "WHEN",
                              "WHERE",
                              "WITH",
                              "NUMERIC",
                              "DECIMAL",
                              "VARCHAR",
                              "TEXT",
                              "INTEGER",
                              "SMALLINT",
                              "BIGINT",
                              "REAL",
                              "DOUBLE",
                              "BOOLEAN",
                              "TIMESTAMP",
                              "DATE",
                              "TIME",
                              "BYTEA",
                              "SERIAL",
                              "UUID",
                              "CHAR",
                              "CHARACTER",
                              "VARYING",
                              "ZONE",
                              "INTERVAL",
                              "EXCEPT",
                              "INTERSECT",
                              "RETURNING",
                              "NATURAL",
                              "COLLATE",
                              "TO",
                              "RENAME",
                              "TYPE",
                              "BEGIN",
                              "COMMIT",
                              "ROLLBACK",
                              "TRANSACTION",
                              "EXPLAIN",
                              "ANALYZE",
                              "VACUUM"})
            s.insert(QLatin1String(w));
        return s;
    }();
    return words;
}

std::optional<QString> isoDate(const QString& jet) {
    const QString t = jet.trimmed();
    for (const char* f :
         {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd", "M/d/yyyy H:mm:ss",
          "M/d/yyyy H:mm", "M/d/yyyy h:mm:ss AP", "M/d/yyyy h:mm AP", "M/d/yyyy"}) {
        const QDateTime d = QDateTime::fromString(t, QLatin1String(f));
        if (d.isValid())
            return d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    return std::nullopt;
}

QString sqlText(const QString& value) {
    QString v = value;
    return QLatin1Char('\'') + v.replace(QLatin1Char('\''), QLatin1String("''")) +
           QLatin1Char('\'');
}

class Translation {
public:
    Translation(std::vector<JetSqlToken> tokens, SqlDialect dialect)
        : t_(std::move(tokens))
        , dialect_(dialect) {
        for (int i = 0; i < int(t_.size()); ++i)
            if (t_[size_t(i)].kind != K::Whitespace)
                sig_.push_back(i);
    }

    SqlDialectTranslator::Result run() {
        SqlDialectTranslator::Result r;
        if (sig_.empty()) {
            r.error = QStringLiteral("Empty SQL statement");
            return r;
        }
        kind_ = statementKind();
        if (kind_ == Statement::CreateIndex)
            out_ = createIndex();
        else
            out_ = render(0, int(sig_.size()));
        if (kind_ == Statement::CreateTable && !hasPunctuation('('))
            out_ += dialect_ == SqlDialect::Postgres
                        ? QStringLiteral(" ()")
                        : QStringLiteral(" (") +
                              SqlDialectTranslator::quoteName(
                                  SqlDialectTranslator::sqlitePlaceholderColumn()) +
                              QStringLiteral(" INTEGER)");
        r.sql = out_;
        r.error = error_;
        r.parameterCount = parameters_;
        return r;
    }

private:
    enum class Statement { Other, CreateTable, AlterTable, CreateIndex };

    const JetSqlToken& sig(int s) const { return t_[size_t(sig_[size_t(s)])]; }
    bool sigWord(int s, const char* w) const {
        return s >= 0 && s < int(sig_.size()) && sig(s).isWord(w);
    }
    bool sigPunct(int s, char c) const {
        return s >= 0 && s < int(sig_.size()) && sig(s).isPunctuation(c);
    }
    bool hasPunctuation(char c) const {
        for (int s = 0; s < int(sig_.size()); ++s)
            if (sig(s).isPunctuation(c))
                return true;
        return false;
    }

    Statement statementKind() const {
        if (sigWord(0, "CREATE") &&
            (sigWord(1, "TABLE") ||
             ((sigWord(1, "TEMPORARY") || sigWord(1, "TEMP")) && sigWord(2, "TABLE"))))
            return Statement::CreateTable;
        if (sigWord(0, "ALTER") && sigWord(1, "TABLE"))
            return Statement::AlterTable;
        if (sigWord(0, "CREATE") &&
            (sigWord(1, "INDEX") || (sigWord(1, "UNIQUE") && sigWord(2, "INDEX"))))
            return Statement::CreateIndex;
        return Statement::Other;
    }

    // Is the significant token s in the place of a column's type?
    bool isTypePosition(int s, int depth) const {
        if (s < 2)
            return false;
        const JetSqlToken& name = sig(s - 1);
        if (name.kind != K::Name && name.kind != K::Word)
            return false;
        for (const char* w :
             {"CONSTRAINT", "PRIMARY", "FOREIGN", "UNIQUE", "CHECK", "KEY", "TABLE"})
            if (name.isWord(w))
                return false;
        if (kind_ == Statement::CreateTable)
            return depth == 1 && (sigPunct(s - 2, '(') || sigPunct(s - 2, ','));
        if (kind_ == Statement::AlterTable)
            return depth == 0 &&
                   (sigWord(s - 2, "COLUMN") || sigWord(s - 2, "ADD") || sigWord(s - 2, "ALTER"));
        return false;
    }

    void trimTrailingBlanks(QString& out) const {
        while (!out.isEmpty() && out.back().isSpace())
            out.chop(1);
    }

    // Translates the significant tokens [from, to) and the blanks between them.
    QString render(int from, int to) {
        QString out;
        int depth = 0;
        int orderByDepth = -1;
        for (int s = from; s < to; ++s) {
            if (s > from)
                for (int i = sig_[size_t(s - 1)] + 1; i < sig_[size_t(s)]; ++i)
                    out += t_[size_t(i)].text;
            const JetSqlToken& tok = sig(s);
            switch (tok.kind) {
            case K::Name:
                if (dialect_ == SqlDialect::Sqlite && !tok.value.contains(QLatin1Char(']')))
                    out += tok.text;
                else
                    out += SqlDialectTranslator::quoteName(tok.value);
                break;
            case K::QuotedText:
                out += sqlText(tok.value);
                break;
            case K::Text:
                out += tok.text;
                break;
            case K::DateLiteral: {
                const auto iso = isoDate(tok.value);
                if (!iso) {
                    error_ = QStringLiteral("Invalid date ") + tok.text;
                    return out;
                }
                out += sqlText(*iso);
                break;
            }
            case K::Parameter:
                ++parameters_;
                out += dialect_ == SqlDialect::Postgres ? QStringLiteral("$%1").arg(parameters_)
                                                        : QStringLiteral("?");
                break;
            case K::Punctuation:
                if (tok.isPunctuation('('))
                    ++depth;
                else if (tok.isPunctuation(')')) {
                    --depth;
                    if (depth < orderByDepth)
                        orderByDepth = -1;
                }
                out += tok.isPunctuation('&') ? QStringLiteral("||") : tok.text;
                break;
            case K::Word:
                if (tok.isWord("BY") && sigWord(s - 1, "ORDER")) {
                    orderByDepth = depth;
                    out += tok.text;
                } else if (orderByDepth >= 0 && depth == orderByDepth && tok.isWord("AND")) {
                    // Jet's "ORDER BY 1 AND 2" sorts by both columns.
                    trimTrailingBlanks(out);
                    out += QLatin1Char(',');
                } else if (isTypePosition(s, depth)) {
                    out += ddlType(s, to);
                } else {
                    for (const char* w : {"LIMIT", "OFFSET", "UNION", "FETCH", "FOR"})
                        if (tok.isWord(w) && depth == orderByDepth)
                            orderByDepth = -1;
                    out += word(s, to);
                }
                break;
            default:
                out += tok.text;
            }
        }
        return out;
    }

    QString word(int s, int to) const {
        const JetSqlToken& tok = sig(s);
        // Jet words that neither engine knows.
        if (tok.isWord("DISTINCTROW"))
            return QStringLiteral("DISTINCT");
        if (tok.isWord("MOD"))
            return QStringLiteral("%");
        if (dialect_ != SqlDialect::Postgres)
            return tok.text;
        if (tok.isWord("LIKE"))
            return QStringLiteral("ILIKE");
        const bool call = s + 1 < to && sig(s + 1).isPunctuation('(');
        const bool qualified = sigPunct(s - 1, '.') && s >= 2 && sig(s - 2).kind == K::Word &&
                               !sigWord(s - 2, "pg_catalog");
        if (call && !qualified)
            return tok.text;
        if (postgresKeywords().contains(tok.text.toUpper()) || jetDdlType(tok.text))
            return tok.text;
        return SqlDialectTranslator::quoteName(tok.text);
    }

    QString ddlType(int s, int to) const {
        const JetSqlToken& tok = sig(s);
        const auto type = jetDdlType(tok.text);
        if (!type || (tok.isWord("DOUBLE") && sigWord(s + 1, "PRECISION")))
            return tok.text;
        const QString name = dialect_ == SqlDialect::Postgres ? type->postgres : type->sqlite;
        if (type->sized && !(s + 1 < to && sig(s + 1).isPunctuation('(')))
            return name + QStringLiteral("(255)");
        return name;
    }

    // CREATE [UNIQUE] INDEX name ON table (columns) [WITH PRIMARY | DISALLOW NULL | IGNORE NULL]
    QString createIndex() {
        int with = -1, on = -1, depth = 0;
        for (int s = 0; s < int(sig_.size()); ++s) {
            if (sig(s).isPunctuation('('))
                ++depth;
            else if (sig(s).isPunctuation(')'))
                --depth;
            else if (depth == 0 && sig(s).isWord("WITH") && with < 0)
                with = s;
            else if (depth == 0 && sig(s).isWord("ON") && on < 0)
                on = s;
        }
        if (with < 0)
            return render(0, int(sig_.size()));
        bool primary = false;
        for (int s = with; s < int(sig_.size()); ++s)
            primary = primary || sig(s).isWord("PRIMARY");
        const bool unique = sigWord(1, "UNIQUE");
        if (!primary)
            return render(0, with);
        const int nameAt = unique ? 3 : 2;
        int paren = -1;
        for (int s = on + 1; on > 0 && s < with; ++s)
            if (sig(s).isPunctuation('(')) {
                paren = s;
                break;
            }
        if (on != nameAt + 1 || paren < 0) {
            error_ = QStringLiteral("Unsupported index statement");
            return {};
        }
        if (dialect_ == SqlDialect::Sqlite)
            // SQLite cannot add a primary key to an existing table; a unique index keys it alike.
            return QStringLiteral("CREATE UNIQUE INDEX ") + render(nameAt, with).trimmed();
        return QStringLiteral("ALTER TABLE ") + render(on + 1, paren).trimmed() +
               QStringLiteral(" ADD CONSTRAINT ") + render(nameAt, nameAt + 1) +
               QStringLiteral(" PRIMARY KEY ") + render(paren, with).trimmed();
    }

    std::vector<JetSqlToken> t_;
    std::vector<int> sig_;
    SqlDialect dialect_;
    Statement kind_ = Statement::Other;
    QString out_;
    QString error_;
    int parameters_ = 0;
};

} // namespace

QString SqlDialectTranslator::quoteName(const QString& name) {
    QString n = name;
    return QLatin1Char('"') + n.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

SqlDialectTranslator::Result SqlDialectTranslator::translate(const QString& jetSql,
                                                             SqlDialect dialect) {
    Result r;
    JetSqlTokenizer::Result tokens = JetSqlTokenizer::tokenize(jetSql);
    if (!tokens.ok()) {
        r.error = tokens.error;
        return r;
    }
    // One statement per call: a ";" may only end the text.
    std::vector<JetSqlToken>& t = tokens.tokens;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != K::Semicolon)
            continue;
        for (size_t j = i + 1; j < t.size(); ++j)
            if (t[j].kind != K::Whitespace && t[j].kind != K::Semicolon) {
                r.error = secondStatementError();
                return r;
            }
        t.resize(i);
        break;
    }
    return Translation(std::move(t), dialect).run();
}
