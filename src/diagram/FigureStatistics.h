#pragma once
// The diagram's "Statistics...": the plotted values of each axis, over all points and per class
// (series), as a table for the person to read. Row 1 heads the columns ("Statistic", then for X
// and for Y: the axis title for all points, and the title ": " class for each class); below, one
// row per statistic in the order "N", "AVG", "MIN", "MAX", "STDEV", "VAR", "CV", "SKEWNESS",
// "KURTOSIS", "NONOUTLIERMIN", "PERC_10", "PERC_25", "MEDIAN", "PERC_75", "PERC_90",
// "NONOUTLIERMAX". A value that cannot be computed is an empty cell. The values are the plotted
// ones: for Polar and Radar figures, the plane coordinates.
#include "figure/Figure.h"
#include "platform/Sheet.h"

class FigureStatistics {
public:
    static QStringList statisticNames();
    static Sheet table(const Figure& figure);
};
