#include "stats/BoxWhiskerSettings.h"

#include <cmath>

BoxWhiskerSettings BoxWhiskerSettings::resetValues() {
    BoxWhiskerSettings s;
    s.minimumClassSize = 5;
    s.minimumFullBoxSize = 10;
    return s;
}

bool BoxWhiskerSettings::acceptsPercentiles(double lower, double upper) {
    if (!std::isfinite(lower) || !std::isfinite(upper))
        return false;
    const long lo = std::lround(lower);
    const long hi = std::lround(upper);
    return lo >= 0 && lo < hi && hi < 101;
}

BoxWhiskerSettings& BoxWhiskerSettings::shared() {
    static BoxWhiskerSettings settings;
    return settings;
}
