#include "query/LinkingReport.h"

#include "query/LinkKeyLists.h"

QString BuildLinkingReport(const LinkSearch& links, const QStringList& tables, bool userResults) {
    if (tables.isEmpty())
        return QStringLiteral("No tables selectd");
    QString report = QStringLiteral("--- LINKING OF TABLES ---");
    for (const QString& first : tables) {
        report += QStringLiteral("\n==FROM ") + first + QStringLiteral("==");
        for (const QString& other : tables) {
            if (&other == &first)
                continue;
            const LinkKeys keys = GetLinkKeys(links, first, other, userResults);
            if (keys.pairCount() == 0)
                report += QStringLiteral("\n  > NO LINK between ") + first +
                          QStringLiteral(" AND ") + other;
            for (qsizetype k = 0; k < keys.pairCount(); ++k)
                report += QStringLiteral("\n  - ") + first + u'.' + keys.firstKeys[k] +
                          QStringLiteral(" = ") + other + u'.' + keys.secondKeys[k];
        }
        report += QStringLiteral("\n------");
    }
    return report;
}
