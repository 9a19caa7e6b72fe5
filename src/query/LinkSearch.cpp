#include "query/LinkSearch.h"

#include "query/SplitList.h"
#include "query/SqlNames.h"

QString LinkSearch::baseOr(const QString& name) const {
    const QString base = filters_.filterBase(name).table;
    return base.isEmpty() ? name : base;
}

LinkKeys LinkSearch::find(const QString& first, const QString& second) const {
    LinkKeys keys;
    keys.first = first;
    keys.second = second;
    QString a = SqlNames::plain(first);
    QString b = SqlNames::plain(second);
    if (a.startsWith(QStringLiteral("f_")))
        a = baseOr(a);
    if (b.startsWith(QStringLiteral("f_")))
        b = baseOr(b);
    if (!findRow(a, b, keys))
        findRow(baseOr(a), baseOr(b), keys);
    return keys;
}

bool LinkSearch::findRow(const QString& a, const QString& b, LinkKeys& keys) const {
    const Sheet& links = catalogue_.links;
    if (a.isEmpty() || b.isEmpty())
        return false;
    for (int r = 1; r <= links.lastRow(); ++r) {
        const QString one = SqlNames::plain(links.text(r, 1));
        if (one.isEmpty())
            break;
        const QString two = SqlNames::plain(links.text(r, 2));
        const bool forward = one == a && two == b;
        if (!forward && !(one == b && two == a))
            continue;
        for (int c = 3; c <= links.lastColumn(); c += 2) {
            const QString left = links.text(r, c);
            const QString right = links.text(r, c + 1);
            // A half-filled pair would write an equality with an empty name.
            if (left.isEmpty() || right.isEmpty())
                continue;
            keys.firstKeys << SplitList(forward ? left : right, QStringLiteral(","));
            keys.secondKeys << SplitList(forward ? right : left, QStringLiteral(","));
        }
        return true;
    }
    return false;
}
