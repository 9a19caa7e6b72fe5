#pragma once
// Pieces the statement builders share: the distinct tables of a field list, its Null exclusion
// terms and its ORDER BY part.
#include "query/FieldEntry.h"

#include <QStringList>
#include <vector>

class SelectParts {
public:
    // Each distinct table (compared without brackets) with the index of its first entry.
    struct Table {
        QString name;
        size_t firstEntry = 0;
    };
    static std::vector<Table> distinctTables(const std::vector<FieldEntry>& entries);

    // "[T].[F]" per entry.
    static QStringList fieldList(const std::vector<FieldEntry>& entries);
    // "([T].[F] Is Not Null)" per flagged entry.
    static QStringList notNullTerms(const std::vector<FieldEntry>& entries);
    // " ORDER BY [T].[F] ASC, [U].[G] DESC", or empty when nothing is sorted.
    static QString orderBy(const std::vector<FieldEntry>& entries);
};
