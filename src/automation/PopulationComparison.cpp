#include "automation/PopulationComparison.h"

#include <QRegularExpression>

namespace {
bool is(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

bool like(const QString& text, const QString& pattern) {
    QString expression;
    for (const QChar c : pattern) {
        if (c == u'*' || c == u'%')
            expression += QStringLiteral(".*");
        else if (c == u'?' || c == u'_')
            expression += QLatin1Char('.');
        else
            expression += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::CaseInsensitiveOption)
        .match(text)
        .hasMatch();
}
} // namespace

bool PopulationComparison::holds(const QString& left, const QString& op, const QString& right) {
    const QString o = op.trimmed();
    if (is(o, "Is Null"))
        return left.isEmpty();
    if (is(o, "Is Not Null"))
        return !left.isEmpty();
    if (is(o, "Like"))
        return like(left, right);
    if (is(o, "Not Like"))
        return !like(left, right);
    bool ln = false, rn = false;
    const double a = left.trimmed().toDouble(&ln), b = right.trimmed().toDouble(&rn);
    const int cmp = ln && rn ? (a < b ? -1 : a > b ? 1 : 0) : QString::compare(left, right);
    if (o == QLatin1String("="))
        return cmp == 0;
    if (o == QLatin1String("<"))
        return cmp < 0;
    if (o == QLatin1String("<="))
        return cmp <= 0;
    if (o == QLatin1String(">"))
        return cmp > 0;
    if (o == QLatin1String(">="))
        return cmp >= 0;
    if (o == QLatin1String("<>"))
        return cmp != 0;
    return false;
}
