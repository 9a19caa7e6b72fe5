#include "figure/AutoRange.h"

#include <cmath>

double AutoRange::niceStep(double span, int intervals) {
    const double raw = span / intervals;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (raw <= m * magnitude * (1 + 1e-9)) {
            return m * magnitude;
        }
    }
    return 10.0 * magnitude;
}

std::pair<double, double> AutoRange::linear(const AxisExtent& extent) {
    if (extent.isEmpty()) {
        return {0.0, 1.0};
    }
    double lo = extent.min;
    double hi = extent.max;
    double margin = 0;
    if (lo == hi) {
        const double pad = lo == 0 ? 1.0 : std::abs(lo) * 0.1;
        lo -= pad;
        hi += pad;
    } else {
        margin = (hi - lo) * symbolMargin;
    }
    if (!std::isfinite(hi - lo)) {
        return {lo, hi}; // a span beyond the doubles has no rounder ends
    }
    // The step comes from the data alone; the margin only moves an end that sits on a tick.
    const double step = niceStep(hi - lo);
    double lower = std::floor((lo - margin) / step + 1e-9) * step;
    double upper = std::ceil((hi + margin) / step - 1e-9) * step;
    // Data on one side of zero keep the axis there: a concentration axis does not reach a
    // whole step below zero for the symbols' sake, only by their margin.
    const double zeroSide = margin > 0 ? (hi - lo) * zeroSideMargin : 0;
    if (extent.min >= 0 && lower < 0)
        lower = lo - zeroSide;
    if (extent.max <= 0 && upper > 0)
        upper = hi + zeroSide;
    return {lower, upper};
}

std::pair<double, double> AutoRange::logarithmic(const AxisExtent& extent) {
    if (!extent.hasPositive()) {
        return {1.0, 10.0};
    }
    const double decadeLo = std::log10(extent.minPositive);
    const double decadeHi = std::log10(extent.max);
    const double margin = (decadeHi - decadeLo) * symbolMargin;
    double lo = std::pow(10.0, std::floor(decadeLo - margin + 1e-9));
    double hi = std::pow(10.0, std::ceil(decadeHi + margin - 1e-9));
    if (hi <= lo) {
        hi = lo * 10.0;
    }
    return {lo, hi};
}
