#pragma once
// The one SELECT a diagram draws from: the X, Y, (Z), classifier and label columns, bracketed as
// [Table].[Field]; the tables joined over their links; every plotted field Not Null (the
// classifier too unless Null rows are drawn); a filter
// joined on its key field to the first plotted table that holds it; ORDER BY per the sort
// option. When the tables cannot be joined or the filter has no key, there is no statement
// but the message that says so.
#include "diagram/DiagramDefinition.h"

class FilterBaseSource;
class LinkSearch;
class SchemaCatalogue;

struct DiagramSelect {
    QString statement;
    QString error; // the message to show; empty when statement is set
    // 0-based columns of the statement's rows; -1 where there is none.
    int x = -1, y = -1, z = -1, classifier = -1, label = -1;

    // filter: the filter's name without "f_", empty for none. withZ: the Z pair is plotted.
    static DiagramSelect build(const DiagramDefinition& definition, const QString& filter,
                               bool withZ, const SchemaCatalogue& catalogue,
                               const LinkSearch& links, const FilterBaseSource& filters);
};
