#include "platform/JetSqlTokenizer.h"

namespace {

bool isWordStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool isWordPart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Reads a delimited token starting at `start` (the opening delimiter); a doubled closing
// delimiter stands for one. Returns the index after the closing delimiter, or -1.
qsizetype readDelimited(const QString& s, qsizetype start, QChar close, QString& value) {
    value.clear();
    for (qsizetype i = start + 1; i < s.size(); ++i) {
        if (s[i] == close) {
            if (i + 1 < s.size() && s[i + 1] == close) {
                value += close;
                ++i;
                continue;
            }
            return i + 1;
        }
        value += s[i];
    }
    return -1;
}

} // namespace

JetSqlTokenizer::Result JetSqlTokenizer::tokenize(const QString& sql) {
    using K = JetSqlToken::Kind;
    Result result;
    qsizetype i = 0;
    const qsizetype n = sql.size();
    auto push = [&](K kind, qsizetype start, qsizetype end, QString value) {
        JetSqlToken t;
        t.kind = kind;
        t.text = sql.mid(start, end - start);
        t.value = std::move(value);
        t.position = int(start);
        result.tokens.push_back(std::move(t));
    };
    while (i < n) {
        const QChar c = sql[i];
        const qsizetype start = i;
        if (c.isSpace()) {
            while (i < n && sql[i].isSpace())
                ++i;
            push(K::Whitespace, start, i, sql.mid(start, i - start));
        } else if (c == QLatin1Char('[') || c == QLatin1Char('\'') || c == QLatin1Char('"') ||
                   c == QLatin1Char('#')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            QString value;
            const qsizetype end = readDelimited(sql, start, close, value);
            const K kind = c == QLatin1Char('[')    ? K::Name
                           : c == QLatin1Char('\'') ? K::Text
                           : c == QLatin1Char('"')  ? K::QuotedText
                                                    : K::DateLiteral;
            if (end < 0) {
                static const char* what[] = {"name", "text", "text", "date"};
                const int w = kind == K::Name         ? 0
                              : kind == K::Text       ? 1
                              : kind == K::QuotedText ? 2
                                                      : 3;
                result.error = QStringLiteral("Unterminated %1 at position %2")
                                   .arg(QLatin1String(what[w]))
                                   .arg(start + 1);
                return result;
            }
            i = end;
            push(kind, start, i, value);
        } else if (isWordStart(c)) {
            while (i < n && isWordPart(sql[i]))
                ++i;
            push(K::Word, start, i, sql.mid(start, i - start));
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql[i + 1].isDigit())) {
            while (i < n && (sql[i].isDigit() || sql[i] == QLatin1Char('.')))
                ++i;
            if (i < n && (sql[i] == QLatin1Char('e') || sql[i] == QLatin1Char('E'))) {
                qsizetype j = i + 1;
                if (j < n && (sql[j] == QLatin1Char('+') || sql[j] == QLatin1Char('-')))
                    ++j;
                if (j < n && sql[j].isDigit()) {
                    i = j;
                    while (i < n && sql[i].isDigit())
                        ++i;
                }
            }
            push(K::Number, start, i, sql.mid(start, i - start));
        } else if (c == QLatin1Char('?')) {
            ++i;
            push(K::Parameter, start, i, QStringLiteral("?"));
        } else if (c == QLatin1Char(';')) {
            ++i;
            push(K::Semicolon, start, i, QStringLiteral(";"));
        } else {
            ++i;
            // Two-character comparison operators stay one token.
            if (i < n && ((c == QLatin1Char('<') &&
                           (sql[i] == QLatin1Char('>') || sql[i] == QLatin1Char('='))) ||
                          (c == QLatin1Char('>') && sql[i] == QLatin1Char('=')) ||
                          (c == QLatin1Char('!') && sql[i] == QLatin1Char('=')) ||
                          (c == QLatin1Char('|') && sql[i] == QLatin1Char('|'))))
                ++i;
            push(K::Punctuation, start, i, sql.mid(start, i - start));
        }
    }
    return result;
}
