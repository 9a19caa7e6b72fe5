#pragma once
// GetLinkKeyLists: the keys of every pair of the given tables, (1,2), (1,3), ..., (2,3), ...,
// without a condition text. While the user-results setting is on, a table named "UserCalc" or
// "UserGroup" is linked on its field "TableIDNo" to the other table's key (the first key the
// links list gives the pair, else the other table's first index field).
#include "query/LinkKeys.h"
#include "query/LinkSearch.h"

#include <QStringList>
#include <vector>

std::vector<LinkKeys> GetLinkKeyLists(const LinkSearch& links, const QStringList& tables,
                                      bool userResults);

// One pair, with the same rule.
LinkKeys GetLinkKeys(const LinkSearch& links, const QString& first, const QString& second,
                     bool userResults);
