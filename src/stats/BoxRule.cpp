#include "stats/BoxRule.h"

#include "stats/ColumnStatistics.h"

#include <algorithm>

BoxPoints BoxRule::points(const ColumnStatistics& statistics) const {
    BoxPoints p;
    const auto ubv = statistics.percentile(upperPercentile);
    const auto lbv = statistics.percentile(lowerPercentile);
    if (!ubv || !lbv)
        return p;
    const double spread = *ubv - *lbv;
    const double outlierHigh = *ubv + outlierCoefficient * spread;
    const double outlierLow = *lbv - outlierCoefficient * spread;
    const double extremeHigh = *ubv + 2 * outlierCoefficient * spread;
    const double extremeLow = *lbv - 2 * outlierCoefficient * spread;
    for (double v : statistics.values()) {
        if (v < extremeLow) {
            p.extremeLow.push_back(v);
        } else if (v < outlierLow) {
            p.outlierLow.push_back(v);
        } else if (v > extremeHigh) {
            p.extremeHigh.push_back(v);
        } else if (v > outlierHigh) {
            p.outlierHigh.push_back(v);
        } else {
            p.nonOutlierMin = std::min(v, p.nonOutlierMin.value_or(v));
            p.nonOutlierMax = std::max(v, p.nonOutlierMax.value_or(v));
        }
    }
    for (auto* list : {&p.extremeLow, &p.outlierLow, &p.outlierHigh, &p.extremeHigh})
        std::sort(list->begin(), list->end());
    return p;
}
