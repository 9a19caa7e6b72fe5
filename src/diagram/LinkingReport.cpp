#include "diagram/LinkingReport.h"

#include "db/SessionDatabase.h"
#include "platform/Connection.h"
#include "query/FilterBaseResolver.h"
#include "query/JoinCondition.h"
#include "query/LinkSearch.h"
#include "query/SqlNames.h"

LinkingReport::Result LinkingReport::of(SessionDatabase& session, const DiagramDefinition& d) {
    QStringList tables;
    for (const QString& t : d.tables)
        if (!t.isEmpty() && !tables.contains(t, Qt::CaseInsensitive))
            tables << t;
    if (tables.isEmpty() || d.source == DiagramDefinition::Source::ClipData)
        return {false, MessageKind::Information, QStringLiteral("No data")};
    Connection* db = session.connection();
    if (!db)
        return {false, MessageKind::Critical, QStringLiteral("No database open")};
    const FilterBaseResolver filters(*db, session.catalogue());
    const LinkSearch links(session.catalogue(), filters);
    QStringList joins{QStringLiteral("Tables are linked as follows")};
    for (const LinkKeys& keys : BuildJoinCondition(links, tables).keys) {
        if (!keys.isLinked())
            return {false, MessageKind::Exclamation,
                    QStringLiteral("No link to join tables ") + keys.first +
                        QStringLiteral(" and ") + keys.second};
        for (qsizetype k = 0; k < keys.pairCount(); ++k)
            joins << SqlNames::field(keys.first, keys.firstKeys[k]) + QLatin1Char('=') +
                         SqlNames::field(keys.second, keys.secondKeys[k]);
    }
    if (tables.size() == 1)
        joins << tables.front();
    return {true, MessageKind::Information, joins.join(QStringLiteral("\r\n"))};
}
