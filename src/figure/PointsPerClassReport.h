#pragma once
// The text of "Show number of points/class": "Number of points per classes:", then one line
// "name = count" per series, then "Total = " and the sum of the points drawn.
#include "figure/Series.h"

#include <QString>
#include <vector>

class PointsPerClassReport {
public:
    static QString text(const std::vector<Series>& series);
};
