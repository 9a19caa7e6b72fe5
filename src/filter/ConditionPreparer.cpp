#include "filter/ConditionPreparer.h"

#include "platform/JetSqlQuoting.h"
#include "platform/JetSqlTokenizer.h"
#include "platform/NumberText.h"

namespace {

bool isQuoteChar(QChar c) {
    return c == u'\'' || c == u'"';
}

// The whole text is one literal as Jet reads it ('O''Brien', "Au").
bool isOneLiteral(const QString& value) {
    const auto tokens = JetSqlTokenizer::tokenize(value);
    return tokens.ok() && tokens.tokens.size() == 1 &&
           (tokens.tokens.front().kind == JetSqlToken::Kind::Text ||
            tokens.tokens.front().kind == JetSqlToken::Kind::QuotedText);
}

bool hasWildcards(const QString& value) {
    return value.contains(u'*') || value.contains(u'?');
}

QString withEngineWildcards(QString value) {
    return value.replace(u'*', u'%').replace(u'?', u'_');
}

bool isLikeFamily(const QString& op) {
    return op.compare(QLatin1String("Like"), Qt::CaseInsensitive) == 0 ||
           op.compare(QLatin1String("Not Like"), Qt::CaseInsensitive) == 0 ||
           op.startsWith(QLatin1String("Like %")) || op.startsWith(QLatin1String("Not Like %")) ||
           op == QLatin1String("Like ___%");
}

// The items of an IN list: an item that begins with a quote runs to its closing quote (so
// 'A,B' is one item); any other runs to the next comma, apostrophes and all (O'Brien).
QStringList listItems(const QString& list) {
    QStringList items;
    qsizetype i = 0;
    const qsizetype n = list.size();
    while (i < n) {
        while (i < n && list[i].isSpace())
            ++i;
        qsizetype end = i;
        if (end < n && isQuoteChar(list[end])) {
            const QChar quote = list[end];
            for (++end; end < n; ++end) {
                if (list[end] != quote)
                    continue;
                if (end + 1 < n && list[end + 1] == quote) {
                    ++end;
                    continue;
                }
                ++end;
                break;
            }
        }
        end = list.indexOf(u',', end);
        if (end < 0)
            end = n;
        if (const QString item = list.mid(i, end - i).trimmed(); !item.isEmpty())
            items << item;
        i = end + 1;
    }
    return items;
}

} // namespace

QStringList ConditionPreparer::operators() {
    return {
        QStringLiteral("="),           QStringLiteral("<"),         QStringLiteral(">"),
        QStringLiteral("<="),          QStringLiteral(">="),        QStringLiteral("<>"),
        QStringLiteral("Like"),        QStringLiteral("Not Like"),  QStringLiteral("Is Null"),
        QStringLiteral("Is Not Null"), QStringLiteral("IN"),        QStringLiteral("Like %"),
        QStringLiteral("Not Like %"),  QStringLiteral("Like %__%"), QStringLiteral("Like ___%")};
}

bool ConditionPreparer::takesNoValue(const QString& op) {
    return op.compare(QLatin1String("Is Null"), Qt::CaseInsensitive) == 0 ||
           op.compare(QLatin1String("Is Not Null"), Qt::CaseInsensitive) == 0;
}

QString ConditionPreparer::unquoted(const QString& value) {
    const QString v = value.trimmed();
    if (v.size() >= 2 && isQuoteChar(v.front()) && isQuoteChar(v.back())) {
        if (isOneLiteral(v))
            return JetSqlTokenizer::tokenize(v).tokens.front().value;
        return v.mid(1, v.size() - 2);
    }
    // A quote at one end only was meant as a delimiter too.
    QString inner = v;
    if (!inner.isEmpty() && isQuoteChar(inner.front()))
        inner.remove(0, 1);
    if (!inner.isEmpty() && isQuoteChar(inner.back()))
        inner.chop(1);
    return inner;
}

QString ConditionPreparer::literal(const QString& value, bool alwaysText) {
    const QString v = value.trimmed();
    if (!alwaysText && NumberText::fromText(v))
        return v;
    return JetSqlQuoting::text(unquoted(v));
}

FilterCondition ConditionPreparer::prepare(const QString& op, const QString& value) {
    FilterCondition c{op, {}};
    if (takesNoValue(op))
        return c;
    QString v = value.trimmed();
    if (hasWildcards(v) && !isLikeFamily(op)) {
        if (op == QLatin1String("="))
            c.op = QStringLiteral("Like");
        else if (op == QLatin1String("<>"))
            c.op = QStringLiteral("Not Like");
    }
    v = withEngineWildcards(v);
    if (op == QLatin1String("IN")) {
        QString list = v;
        if (list.startsWith(u'(') && list.endsWith(u')'))
            list = list.mid(1, list.size() - 2);
        QStringList items;
        for (const QString& item : listItems(list))
            items << literal(item, false);
        c.value = u'(' + items.join(QStringLiteral(", ")) + u')';
        return c;
    }
    const QString text = unquoted(v);
    if (op == QLatin1String("Like %") || op == QLatin1String("Not Like %")) {
        c.op = op.startsWith(u'N') ? QStringLiteral("NOT LIKE") : QStringLiteral("LIKE");
        c.value = JetSqlQuoting::text(u'%' + text);
    } else if (op == QLatin1String("Like %__%")) {
        c.op = QStringLiteral("LIKE");
        c.value = JetSqlQuoting::text(u'%' + text + u'%');
    } else if (op == QLatin1String("Like ___%")) {
        c.op = QStringLiteral("LIKE");
        c.value = JetSqlQuoting::text(text + u'%');
    } else {
        c.value = literal(v, isLikeFamily(c.op));
    }
    return c;
}
