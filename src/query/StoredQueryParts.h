#pragma once
// A stored query or filter taken apart: its whole definition and the clauses that combining
// filters and editing queries need. All empty when the query cannot be read.
#include <QString>

struct StoredQueryParts {
    QString definition;
    QString selectList;
    QString fromPart;
    QString wherePart;

    friend bool operator==(const StoredQueryParts&, const StoredQueryParts&) = default;
};
