#pragma once
// The class generators of the distribution window. Bounds are min + k * range computed anew for
// every k, so no error builds up over many classes. Each returns nullopt when it makes nothing
// (the window then keeps its classes), with the reason in `refusal` when the person should
// hear it. No generator makes more than `limit` classes.
#include "stats/DistributionClass.h"

#include <QString>
#include <optional>
#include <vector>

class DistributionClasses {
public:
    using Classes = std::vector<DistributionClass>;

    explicit DistributionClasses(int limit)
        : limit_(limit) {}

    // Classes of width `range` from min until one reaches max (the last may end above it);
    // the last excludes its upper bound.
    std::optional<Classes> byRange(double min, double max, double range);
    // Exactly `count` classes of equal width, the last ending at max and including it.
    std::optional<Classes> byCount(double min, double max, int count);
    // Decades from 10^round(log10 min) to 10^round(log10 max), rounding halves to even.
    std::optional<Classes> logDecades(double min, double max);
    // "Regenerate Classes" by number, from the data's used range: `count` classes as byCount,
    // the first including min, so that neither the smallest nor the largest value falls
    // outside.
    std::optional<Classes> regenerate(double min, double max, int count);

    QString refusal;

private:
    std::optional<Classes> refuseCount(qint64 count);
    static DistributionClass make(double from, double to);

    int limit_;
};
