#include "formula/FormulaTokenizer.h"

#include "formula/FormulaNumbers.h"

namespace {
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool nameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('$');
}
bool namePart(QChar c) {
    return nameStart(c) || isDigit(c) || c == QLatin1Char('.');
}

// The length of the number at i: digits, an optional fraction and an exponent taken only when
// digits follow it (so "2E" stops before the E).
qsizetype numberLength(const QString& s, qsizetype i) {
    qsizetype j = i;
    while (j < s.size() && isDigit(s[j]))
        ++j;
    if (j < s.size() && s[j] == QLatin1Char('.')) {
        ++j;
        while (j < s.size() && isDigit(s[j]))
            ++j;
    }
    if (j < s.size() && (s[j] == QLatin1Char('e') || s[j] == QLatin1Char('E'))) {
        qsizetype k = j + 1;
        if (k < s.size() && (s[k] == QLatin1Char('+') || s[k] == QLatin1Char('-')))
            ++k;
        if (k < s.size() && isDigit(s[k])) {
            while (k < s.size() && isDigit(s[k]))
                ++k;
            j = k;
        }
    }
    return j - i;
}
} // namespace

std::vector<FormulaToken> FormulaTokenizer::tokens(const QString& s) {
    std::vector<FormulaToken> out;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        FormulaToken t;
        t.start = i;
        if (isDigit(c) || (c == QLatin1Char('.') && i + 1 < s.size() && isDigit(s[i + 1]))) {
            t.kind = FormulaToken::Kind::Number;
            t.length = numberLength(s, i);
            t.text = s.mid(i, t.length);
            t.number = FormulaNumbers::parse(t.text.toStdString()).value_or(0);
        } else if (nameStart(c)) {
            qsizetype j = i + 1;
            while (j < s.size() && namePart(s[j]))
                ++j;
            t.kind = FormulaToken::Kind::Name;
            t.length = j - i;
            t.text = s.mid(i, t.length);
        } else if (c == QLatin1Char('"')) {
            // "" inside a text is one quote.
            qsizetype j = i + 1;
            bool closed = false;
            while (j < s.size()) {
                if (s[j] == QLatin1Char('"')) {
                    if (j + 1 < s.size() && s[j + 1] == QLatin1Char('"')) {
                        t.text += QLatin1Char('"');
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                t.text += s[j++];
            }
            t.kind = closed ? FormulaToken::Kind::Text : FormulaToken::Kind::Invalid;
            t.length = j - i;
        } else if (c == QLatin1Char('(') || c == QLatin1Char(')') || c == QLatin1Char(',')) {
            t.kind = c == QLatin1Char('(')   ? FormulaToken::Kind::Open
                     : c == QLatin1Char(')') ? FormulaToken::Kind::Close
                                             : FormulaToken::Kind::Comma;
            t.length = 1;
            t.text = c;
        } else if (QStringLiteral("+-*/^%&=<>").contains(c)) {
            t.kind = FormulaToken::Kind::Operator;
            t.length = 1;
            if (i + 1 < s.size() && c == QLatin1Char('<') &&
                (s[i + 1] == QLatin1Char('>') || s[i + 1] == QLatin1Char('=')))
                t.length = 2;
            else if (i + 1 < s.size() && c == QLatin1Char('>') && s[i + 1] == QLatin1Char('='))
                t.length = 2;
            t.text = s.mid(i, t.length);
        } else {
            t.kind = FormulaToken::Kind::Invalid;
            t.length = 1;
            t.text = c;
        }
        out.push_back(t);
        if (t.kind == FormulaToken::Kind::Invalid)
            break;
        i += t.length;
    }
    return out;
}
