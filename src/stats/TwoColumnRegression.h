#pragma once
// The straight line of y on x by least squares over the rows where both are numbers (not NaN),
// with Pearson's r over the same rows: R's coef(lm(y ~ x)) and cor(y, x, use =
// "complete.obs"). Means first, so large offsets keep their precision.
#include <optional>
#include <vector>

struct TwoColumnRegression {
    std::optional<double> r; // empty when x or y does not vary
    double slope = 0;
    double intercept = 0;
    long long n = 0;     // rows used
    bool fitted = false; // false with fewer than two rows or no spread in x

    static TwoColumnRegression of(const std::vector<double>& y, const std::vector<double>& x);
};
