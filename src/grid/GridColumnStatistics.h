#pragma once
// "Statistics..." of a grid: the values of the chosen columns, over the chosen records or all of
// them, go through the statistics component and come back as a table — row 1 "Statistic" and
// the field names, then one row per statistic ("n", "avg", "min", ...). A statistic that cannot
// be computed is an empty cell (0 for n); values are stored whole, the view rounds them.
#include "platform/RowSet.h"
#include "platform/Sheet.h"

#include <QStringList>
#include <vector>

class GridColumnStatistics {
public:
    static QStringList names();
    // columns: 0-based grid columns; rows: 0-based records, empty for all of them.
    static Sheet table(const RowSet& rows, const std::vector<int>& columns,
                       const std::vector<int>& records = {});
};
