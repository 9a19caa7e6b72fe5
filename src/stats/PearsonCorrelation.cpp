#include "stats/PearsonCorrelation.h"

#include <algorithm>
#include <cmath>

PearsonResult PearsonCorrelation::pairwise(const std::vector<double>& x,
                                           const std::vector<double>& y) {
    const size_t rows = std::min(x.size(), y.size());
    PearsonResult result;
    double sumX = 0, sumY = 0;
    for (size_t i = 0; i < rows; ++i)
        if (!std::isnan(x[i]) && !std::isnan(y[i])) {
            sumX += x[i];
            sumY += y[i];
            ++result.n;
        }
    if (result.n == 0)
        return result;
    const double meanX = sumX / double(result.n), meanY = sumY / double(result.n);
    double sxx = 0, syy = 0, sxy = 0;
    for (size_t i = 0; i < rows; ++i)
        if (!std::isnan(x[i]) && !std::isnan(y[i])) {
            const double dx = x[i] - meanX, dy = y[i] - meanY;
            sxx += dx * dx;
            syy += dy * dy;
            sxy += dx * dy;
        }
    if (sxx * syy > 0)
        result.r = std::clamp(sxy / std::sqrt(sxx * syy), -1.0, 1.0);
    return result;
}
