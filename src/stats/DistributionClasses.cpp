#include "stats/DistributionClasses.h"

#include <cmath>

namespace {
bool finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}
} // namespace

DistributionClass DistributionClasses::make(double from, double to) {
    DistributionClass c;
    c.from = from;
    c.to = to;
    c.name = c.name2 = c.interval();
    return c;
}

std::optional<DistributionClasses::Classes> DistributionClasses::refuseCount(qint64 count) {
    refusal = count <= 0 ? QStringLiteral("The number of classes must be above 0")
                         : QStringLiteral("Too many classes (at most %1)").arg(limit_);
    return std::nullopt;
}

std::optional<DistributionClasses::Classes> DistributionClasses::byRange(double min, double max,
                                                                         double range) {
    refusal.clear();
    if (!finite(min, max) || !std::isfinite(range) || min >= max || range <= 0 ||
        max - min < range) {
        if (std::isfinite(range) && range <= 0)
            refusal = QStringLiteral("The range of a class must be above 0");
        return std::nullopt;
    }
    const double steps = std::ceil((max - min) / range);
    if (steps > limit_)
        return refuseCount(qint64(std::min(steps, 1e18)));
    Classes out;
    for (int k = 1; k <= limit_; ++k) {
        out.push_back(make(min + (k - 1) * range, min + k * range));
        if (!(*out.back().to < max))
            break;
    }
    out.back().toExcluded = true;
    out.back().name = out.back().name2 = out.back().interval();
    return out;
}

std::optional<DistributionClasses::Classes> DistributionClasses::byCount(double min, double max,
                                                                         int count) {
    refusal.clear();
    if (count <= 0 || count > limit_)
        return refuseCount(count);
    if (!finite(min, max) || min >= max)
        return std::nullopt;
    const double range = (max - min) / count;
    Classes out;
    for (int k = 1; k <= count; ++k)
        out.push_back(make(min + (k - 1) * range, k == count ? max : min + k * range));
    return out;
}

std::optional<DistributionClasses::Classes> DistributionClasses::logDecades(double min,
                                                                            double max) {
    refusal.clear();
    if (!finite(min, max) || min >= max)
        return std::nullopt;
    if (min <= 0) {
        refusal = QStringLiteral("A log scale needs a minimum above 0");
        return std::nullopt;
    }
    const double a = std::nearbyint(std::log10(min)); // the default mode rounds halves to even
    const double b = std::nearbyint(std::log10(max));
    if (b - a < 1)
        return std::nullopt;
    if (b - a > limit_)
        return refuseCount(qint64(b - a));
    Classes out;
    for (int k = 1; k <= int(b - a); ++k)
        out.push_back(make(std::pow(10.0, a + k - 1), std::pow(10.0, a + k)));
    return out;
}

std::optional<DistributionClasses::Classes> DistributionClasses::regenerate(double min, double max,
                                                                            int count) {
    auto out = byCount(min, max, count);
    if (out) {
        out->front().fromExcluded = false;
        out->front().name = out->front().name2 = out->front().interval();
    }
    return out;
}
