#pragma once
// BuildJoinCondition: the WHERE condition that joins the first (main) table with each of the
// others over their linked keys, "[A].[a1]=[B].[b1] AND ...", in order of table and key. Filters
// keep their own names in the text; only the link search looks through them. One table alone
// gives the self-equality of its index fields, which keeps rows with a Null key out. Pairs that
// nothing links add nothing, so the condition may be empty.
#include "query/LinkKeys.h"
#include "query/LinkSearch.h"

#include <QStringList>
#include <vector>

struct JoinCondition {
    QString text;
    std::vector<LinkKeys> keys; // element j-1 for table j (none for a single table)
};

JoinCondition BuildJoinCondition(const LinkSearch& links, const QStringList& tables);
