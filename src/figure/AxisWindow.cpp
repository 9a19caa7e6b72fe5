#include "figure/AxisWindow.h"

#include <algorithm>
#include <cmath>

namespace {
// Zooming and panning happen on the scale the axis is drawn on.
double toScale(double v, bool logarithmic) {
    return logarithmic ? std::log10(v) : v;
}
double fromScale(double v, bool logarithmic) {
    return logarithmic ? std::pow(10.0, v) : v;
}

// [lo, hi] of width at most that of [fullLo, fullHi], moved inside it.
AxisWindow placed(double lo, double hi, double fullLo, double fullHi, bool logarithmic) {
    const double width = std::min(hi - lo, fullHi - fullLo);
    lo = std::clamp(lo, fullLo, fullHi - width);
    return {fromScale(lo, logarithmic), fromScale(lo + width, logarithmic)};
}
} // namespace

AxisWindow AxisWindow::zoomed(double factor, double at, const AxisWindow& full,
                              bool logarithmic) const {
    const double lo = toScale(min, logarithmic), hi = toScale(max, logarithmic);
    const double fullLo = toScale(full.min, logarithmic), fullHi = toScale(full.max, logarithmic);
    if (!(factor > 0) || !std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo) ||
        !std::isfinite(fullLo) || !std::isfinite(fullHi) || !(fullHi > fullLo))
        return *this;
    const double pivot = std::clamp(toScale(at, logarithmic), lo, hi);
    const double width = std::clamp((hi - lo) * factor, (fullHi - fullLo) * 1e-6, fullHi - fullLo);
    const double share = (pivot - lo) / (hi - lo);
    const double newLo = pivot - share * width;
    return placed(newLo, newLo + width, fullLo, fullHi, logarithmic);
}

AxisWindow AxisWindow::centredOn(double at, const AxisWindow& full, bool logarithmic) const {
    const double lo = toScale(min, logarithmic), hi = toScale(max, logarithmic);
    const double fullLo = toScale(full.min, logarithmic), fullHi = toScale(full.max, logarithmic);
    const double centre = toScale(at, logarithmic);
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(centre) ||
        !std::isfinite(fullLo) || !std::isfinite(fullHi) || !(fullHi > fullLo))
        return *this;
    const double half = (hi - lo) / 2;
    return placed(centre - half, centre + half, fullLo, fullHi, logarithmic);
}

double AxisWindow::middle(bool logarithmic) const {
    return fromScale((toScale(min, logarithmic) + toScale(max, logarithmic)) / 2, logarithmic);
}
