#include "stats/ColumnStatistics.h"

#include <algorithm>
#include <cmath>

ColumnStatistics::ColumnStatistics(std::vector<double> values, std::vector<double> weights)
    : values_(std::move(values))
    , weights_(std::move(weights)) {
    if (weights_.size() != values_.size())
        weights_.clear();
}

std::optional<double> ColumnStatistics::sum() const {
    if (values_.empty())
        return std::nullopt;
    double s = 0;
    for (size_t i = 0; i < values_.size(); ++i)
        s += weights_.empty() ? values_[i] : weights_[i] * values_[i];
    return s;
}

std::optional<double> ColumnStatistics::mean() const {
    if (values_.empty())
        return std::nullopt;
    if (weights_.empty()) {
        double s = 0;
        for (double v : values_)
            s += v;
        double m = s / double(values_.size());
        // Second pass: the mean of the residuals corrects the rounding of the first.
        double r = 0;
        for (double v : values_)
            r += v - m;
        return m + r / double(values_.size());
    }
    double w = 0, s = 0;
    for (size_t i = 0; i < values_.size(); ++i) {
        w += weights_[i];
        s += weights_[i] * values_[i];
    }
    if (w <= 0)
        return std::nullopt;
    return s / w;
}

std::optional<double> ColumnStatistics::min() const {
    if (values_.empty())
        return std::nullopt;
    return *std::min_element(values_.begin(), values_.end());
}

std::optional<double> ColumnStatistics::max() const {
    if (values_.empty())
        return std::nullopt;
    return *std::max_element(values_.begin(), values_.end());
}

std::optional<double> ColumnStatistics::variance() const {
    const auto m = mean();
    if (!m || values_.size() < 2)
        return std::nullopt;
    if (weights_.empty()) {
        double ss = 0, s = 0;
        for (double v : values_) {
            ss += (v - *m) * (v - *m);
            s += v - *m;
        }
        const double n = double(values_.size());
        return (ss - s * s / n) / (n - 1);
    }
    // Normalised weights w_i; var = sum w_i (x_i - m)^2 / (1 - sum w_i^2).
    double total = 0;
    for (double w : weights_)
        total += w;
    double ss = 0, w2 = 0;
    for (size_t i = 0; i < values_.size(); ++i) {
        const double w = weights_[i] / total;
        ss += w * (values_[i] - *m) * (values_[i] - *m);
        w2 += w * w;
    }
    if (w2 >= 1)
        return std::nullopt;
    return ss / (1 - w2);
}

std::optional<double> ColumnStatistics::standardDeviation() const {
    const auto v = variance();
    if (!v)
        return std::nullopt;
    return std::sqrt(*v);
}

std::optional<double> ColumnStatistics::coefficientOfVariation() const {
    const auto sd = standardDeviation();
    const auto m = mean();
    if (!sd || !m || *m == 0)
        return std::nullopt;
    return 100 * *sd / *m;
}

ColumnStatistics::Moments ColumnStatistics::moments() const {
    double s = 0;
    for (double v : values_)
        s += v;
    const double n = double(values_.size());
    const double m = s / n;
    Moments mo;
    for (double v : values_) {
        const double d = v - m, d2 = d * d;
        mo.m2 += d2;
        mo.m3 += d2 * d;
        mo.m4 += d2 * d2;
    }
    mo.m2 /= n;
    mo.m3 /= n;
    mo.m4 /= n;
    return mo;
}

std::optional<double> ColumnStatistics::skewness() const {
    const double n = double(values_.size());
    if (n < 3)
        return std::nullopt;
    const Moments mo = moments();
    if (mo.m2 <= 0)
        return std::nullopt;
    const double g1 = mo.m3 / std::pow(mo.m2, 1.5);
    return g1 * std::sqrt(n * (n - 1)) / (n - 2);
}

std::optional<double> ColumnStatistics::kurtosis() const {
    const double n = double(values_.size());
    if (n < 4)
        return std::nullopt;
    const Moments mo = moments();
    if (mo.m2 <= 0)
        return std::nullopt;
    const double g2 = mo.m4 / (mo.m2 * mo.m2) - 3;
    return ((n + 1) * g2 + 6) * (n - 1) / ((n - 2) * (n - 3));
}

double ColumnStatistics::orderStatistic(size_t k) const {
    if (work_.size() != values_.size())
        work_ = values_;
    std::nth_element(work_.begin(), work_.begin() + std::ptrdiff_t(k), work_.end());
    return work_[k];
}

std::optional<double> ColumnStatistics::percentile(double p) const {
    if (values_.empty() || !(p >= 0 && p <= 100))
        return std::nullopt;
    const double h = (double(values_.size()) - 1) * p / 100;
    const size_t lo = size_t(std::floor(h));
    const double low = orderStatistic(lo);
    if (lo + 1 >= values_.size() || h == double(lo))
        return low;
    // After the selection every value past lo is at least as large: the next one is their min.
    const double high = *std::min_element(work_.begin() + std::ptrdiff_t(lo) + 1, work_.end());
    return low + (h - double(lo)) * (high - low);
}
