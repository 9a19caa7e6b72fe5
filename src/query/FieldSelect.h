#pragma once
// BuildFieldSelect: the field-list SELECT of the diagrams and user calculations, and its twin that
// selects every column of the same tables. The tables are joined with the main entry's table over
// their links, rows with a Null in a flagged field are left out, and flagged fields sort.
#include "query/FieldEntry.h"
#include "query/LinkSearch.h"

#include <vector>

struct FieldSelect {
    QString fieldList; // SELECT [T].[F], ... FROM ...
    QString tableStar; // SELECT [T].* , ... FROM ...
};

// mainEntry is the 0-based index of the main entry in entries.
FieldSelect BuildFieldSelect(const LinkSearch& links, const std::vector<FieldEntry>& entries,
                             size_t mainEntry);
