#pragma once
// "Statistics..." of a grid column: the column's values go through the statistics component
// and come back as the lines the grid shows ("n", "avg", "min", ...).
#include "platform/RowSet.h"

#include <QStringList>

class GridColumnStatistics {
public:
    static QStringList names();
    // One "name<TAB>value" line per statistic; empty values where none can be computed (0 for n).
    static QStringList lines(const RowSet& rows, int column);
};
