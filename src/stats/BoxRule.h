#pragma once
// Outliers and extremes of a box-and-whisker plot. With UBV and LBV the values at the upper and
// lower box percentiles and c the outlier coefficient, an outlier lies beyond UBV + c(UBV - LBV)
// or LBV - c(UBV - LBV), an extreme beyond twice that distance. Outliers and extremes are kept
// apart (an extreme is not also counted as an outlier) so the plot draws each point once.
#include <optional>
#include <vector>

class ColumnStatistics;

struct BoxPoints {
    std::vector<double> extremeLow, outlierLow, outlierHigh, extremeHigh; // ascending
    std::optional<double> nonOutlierMin, nonOutlierMax;
};

class BoxRule {
public:
    double upperPercentile = 75;
    double lowerPercentile = 25;
    double outlierCoefficient = 1.5;

    BoxPoints points(const ColumnStatistics& statistics) const;
};
