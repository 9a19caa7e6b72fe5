#pragma once
// Where a column of a query or view comes from. Both base names are empty for a computed column.
#include <QString>

struct ColumnOrigin {
    QString column;
    QString baseTable;
    QString baseColumn;
};
