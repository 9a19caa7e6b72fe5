#include "figure/ValueRanges.h"

#include "figure/AutoRange.h"
#include "platform/CellValue.h"

#include <algorithm>
#include <cmath>

ValueRanges::ValueRanges(double min, double max) {
    if (!(min < max)) {
        bounds_ = {min, min};
        return;
    }
    if (!std::isfinite(max - min)) {
        bounds_ = {min, max}; // a span beyond the doubles: one range
        return;
    }
    double step = AutoRange::niceStep(max - min, maxRanges);
    double lo = std::floor(min / step) * step;
    while (std::ceil((max - lo) / step) > maxRanges) {
        step = AutoRange::niceStep(step * maxRanges * 1.0001, maxRanges);
        lo = std::floor(min / step) * step;
    }
    // Bounds are computed from their index so that no rounding error piles up.
    for (int i = 0;; ++i) {
        const double bound = lo + i * step;
        // Round to the step's precision, so that 0.1 * 3 names as "0.3".
        const double digits = std::pow(10.0, std::max(0.0, -std::floor(std::log10(step)) + 1));
        bounds_.push_back(std::round(bound * digits) / digits);
        if (bound > max || (i > 0 && bound >= max)) {
            break;
        }
    }
}

int ValueRanges::indexOf(double value) const {
    const int n = count();
    if (n <= 0) {
        return 0;
    }
    const auto it = std::upper_bound(bounds_.begin() + 1, bounds_.end() - 1, value);
    return std::clamp(int(it - bounds_.begin()) - 1, 0, n - 1);
}

QString ValueRanges::name(int index) const {
    if (count() == 0 || bounds_.front() == bounds_.back()) {
        return CellValue::formatNumber(bounds_.front());
    }
    return CellValue::formatNumber(bounds_[size_t(index)]) + QStringLiteral(" - ") +
           CellValue::formatNumber(bounds_[size_t(index) + 1]);
}
