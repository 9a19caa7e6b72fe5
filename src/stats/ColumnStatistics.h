#pragma once
// Descriptive statistics of one set of values, optionally weighted. Sums run in two passes (mean
// first, then deviations) so large offsets lose no precision; order statistics are selected in
// linear time rather than by sorting everything.
//
// Conventions: variance on n - 1 (weighted: unbiased reliability weights, as R's cov.wt),
// percentiles by linear interpolation between order statistics (Hyndman and Fan type 7, R's
// default), skewness and kurtosis as the adjusted G1 and G2 (bias-corrected, excess kurtosis).
// Weights affect the mean, the sum and the spread; order statistics and shape use the values.
#include <optional>
#include <vector>

class ColumnStatistics {
public:
    explicit ColumnStatistics(std::vector<double> values, std::vector<double> weights = {});

    int count() const { return int(values_.size()); }
    // In the order given.
    const std::vector<double>& values() const { return values_; }

    std::optional<double> sum() const;
    std::optional<double> mean() const;
    std::optional<double> min() const;
    std::optional<double> max() const;
    std::optional<double> variance() const;
    std::optional<double> standardDeviation() const;
    // Standard deviation in per cent of the mean.
    std::optional<double> coefficientOfVariation() const;
    std::optional<double> skewness() const;
    std::optional<double> kurtosis() const;
    // p from 0 to 100.
    std::optional<double> percentile(double p) const;

private:
    // Central moments of order 2, 3 and 4 over n (unweighted).
    struct Moments {
        double m2 = 0, m3 = 0, m4 = 0;
    };
    Moments moments() const;

    // The k-th smallest value, 0-based.
    double orderStatistic(size_t k) const;

    std::vector<double> values_;
    std::vector<double> weights_;
    mutable std::vector<double> work_; // a permutation of the values, partly ordered
};
