#include "link/LinkSqlStatement.h"

#include "platform/JetSqlTokenizer.h"

LinkSqlStatement LinkSqlStatement::check(const QString& sql) {
    using Kind = JetSqlToken::Kind;
    LinkSqlStatement result;
    const JetSqlTokenizer::Result read = JetSqlTokenizer::tokenize(sql);
    std::vector<JetSqlToken> tokens;
    for (const JetSqlToken& t : read.tokens)
        if (t.kind != Kind::Whitespace)
            tokens.push_back(t);
    while (!tokens.empty() && tokens.back().kind == Kind::Semicolon)
        tokens.pop_back();
    bool single = read.ok() && !tokens.empty() && tokens.front().isWord("SELECT");
    for (const JetSqlToken& t : tokens)
        single =
            single && t.kind != Kind::Semicolon && t.kind != Kind::Parameter && !t.isWord("INTO");
    if (!single) {
        result.error = refusedText() + QStringLiteral("\r\n") + sql;
        return result;
    }
    result.statement = sql.left(tokens.back().position + tokens.back().text.size()).trimmed();
    return result;
}
