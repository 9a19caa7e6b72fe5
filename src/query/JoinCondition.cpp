#include "query/JoinCondition.h"

#include "query/IndexFields.h"
#include "query/SqlNames.h"

JoinCondition BuildJoinCondition(const LinkSearch& links, const QStringList& tables) {
    JoinCondition result;
    QStringList terms;
    if (tables.size() == 1) {
        const QString& table = tables.front();
        for (const QString& key : GetIndexFields(links.catalogue(), table))
            terms << SqlNames::field(table, key) + u'=' + SqlNames::field(table, key);
    }
    for (qsizetype j = 1; j < tables.size(); ++j) {
        LinkKeys keys = links.find(tables.front(), tables[j]);
        for (qsizetype k = 0; k < keys.pairCount(); ++k)
            terms << SqlNames::field(keys.first, keys.firstKeys[k]) + u'=' +
                         SqlNames::field(keys.second, keys.secondKeys[k]);
        result.keys.push_back(std::move(keys));
    }
    result.text = terms.join(QStringLiteral(" AND "));
    return result;
}
