#include "query/LinkKeyLists.h"

#include "query/IndexFields.h"
#include "query/SqlNames.h"

namespace {

bool isUserResultsTable(const QString& name) {
    const QString plain = SqlNames::plain(name);
    return plain == QLatin1String("UserCalc") || plain == QLatin1String("UserGroup");
}

QString tableIdField() {
    return QStringLiteral("TableIDNo");
}

// The other side's key for a results table: what the links list gives, else its first index field.
QStringList otherKey(const LinkSearch& links, const QString& table, const QStringList& found) {
    if (isUserResultsTable(table))
        return {tableIdField()};
    if (!found.isEmpty())
        return {found.front()};
    const QStringList index = GetIndexFields(links.catalogue(), table);
    return index.isEmpty() ? QStringList() : QStringList{index.front()};
}

} // namespace

LinkKeys GetLinkKeys(const LinkSearch& links, const QString& first, const QString& second,
                     bool userResults) {
    LinkKeys keys = links.find(first, second);
    if (!userResults)
        return keys;
    if (isUserResultsTable(first)) {
        keys.secondKeys = otherKey(links, second, keys.secondKeys);
        keys.firstKeys = keys.secondKeys.isEmpty() ? QStringList() : QStringList{tableIdField()};
    } else if (isUserResultsTable(second)) {
        keys.firstKeys = otherKey(links, first, keys.firstKeys);
        keys.secondKeys = keys.firstKeys.isEmpty() ? QStringList() : QStringList{tableIdField()};
    }
    return keys;
}

std::vector<LinkKeys> GetLinkKeyLists(const LinkSearch& links, const QStringList& tables,
                                      bool userResults) {
    std::vector<LinkKeys> pairs;
    for (qsizetype i = 0; i < tables.size(); ++i)
        for (qsizetype j = i + 1; j < tables.size(); ++j)
            pairs.push_back(GetLinkKeys(links, tables[i], tables[j], userResults));
    return pairs;
}
