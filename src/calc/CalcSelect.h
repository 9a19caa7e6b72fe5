#pragma once
// The SELECT a user calculation reads: the key field of the first variable's table (when it has
// one), then each bound variable's field, bracketed as [Table].[Field]; the tables joined over
// their links; an optional filter joined on its key field to the first table that holds it.
// Null values are fetched too: a row with a Null input is a failed row, not a missing one.
#include "calc/CalcVariable.h"

#include <vector>

class FilterBaseSource;
class LinkSearch;
class SchemaCatalogue;

struct CalcSelect {
    QString statement;
    QString error; // the message to show; empty when statement is set
    QString keyTable;
    QString keyField; // empty when the first table has no key; then column 0 is a variable
    // 0-based column of each variable in the rows; -1 for an unbound one.
    std::vector<int> columns;

    // filter: the filter's name without "f_", empty for none.
    static CalcSelect build(const std::vector<CalcVariable>& variables, const QString& filter,
                            const SchemaCatalogue& catalogue, const LinkSearch& links,
                            const FilterBaseSource& filters);
};
