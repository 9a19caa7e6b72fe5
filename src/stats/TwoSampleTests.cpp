#include "stats/TwoSampleTests.h"

#include <boost/math/special_functions/beta.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
struct Moments {
    double n = 0, mean = 0, variance = 0;
};

// Mean and variance on n - 1, the mean first so large offsets keep their precision.
Moments momentsOf(const std::vector<double>& v) {
    Moments m;
    m.n = double(v.size());
    if (v.empty())
        return m;
    double sum = 0;
    for (double x : v)
        sum += x;
    m.mean = sum / m.n;
    // One correcting pass (as R's mean does) so that constant values have exactly no spread.
    double correction = 0;
    for (double x : v)
        correction += x - m.mean;
    m.mean += correction / m.n;
    double squares = 0;
    for (double x : v)
        squares += (x - m.mean) * (x - m.mean);
    m.variance = v.size() > 1 ? squares / (m.n - 1) : 0;
    return m;
}

bool usable(double x) {
    return std::isfinite(x);
}

std::optional<TwoSampleTestResult> tResult(double difference, double standardError, double df) {
    if (!(standardError > 0) || !(df > 0))
        return std::nullopt;
    const double t = difference / standardError;
    const auto p = TwoSampleTests::studentP(t, df);
    if (!usable(t) || !p)
        return std::nullopt;
    return TwoSampleTestResult{df, 0, t, *p};
}
} // namespace

std::optional<double> TwoSampleTests::studentP(double t, double df) {
    if (!(df > 0) || !usable(t))
        return std::nullopt;
    return boost::math::ibeta(df / 2, 0.5, df / (df + t * t));
}

std::optional<TwoSampleTestResult> TwoSampleTests::pooledT(const Values& a, const Values& b) {
    if (a.size() < 2 || b.size() < 2)
        return std::nullopt;
    const Moments x = momentsOf(a), y = momentsOf(b);
    const double df = x.n + y.n - 2;
    const double pooled = ((x.n - 1) * x.variance + (y.n - 1) * y.variance) / df;
    return tResult(x.mean - y.mean, std::sqrt(pooled * (1 / x.n + 1 / y.n)), df);
}

std::optional<TwoSampleTestResult> TwoSampleTests::welchT(const Values& a, const Values& b) {
    if (a.size() < 2 || b.size() < 2)
        return std::nullopt;
    const Moments x = momentsOf(a), y = momentsOf(b);
    const double qx = x.variance / x.n, qy = y.variance / y.n;
    const double df = (qx + qy) * (qx + qy) / (qx * qx / (x.n - 1) + qy * qy / (y.n - 1));
    return tResult(x.mean - y.mean, std::sqrt(qx + qy), df);
}

std::optional<TwoSampleTestResult> TwoSampleTests::fTest(const Values& a, const Values& b) {
    if (a.size() < 2 || b.size() < 2)
        return std::nullopt;
    Moments top = momentsOf(a), bottom = momentsOf(b);
    if (bottom.variance > top.variance)
        std::swap(top, bottom);
    if (!(bottom.variance > 0))
        return std::nullopt;
    const double f = top.variance / bottom.variance;
    const double df1 = top.n - 1, df2 = bottom.n - 1;
    // Twice the upper tail, folded back below 1 as for a two-sided test.
    double p = 2 * boost::math::ibeta(df2 / 2, df1 / 2, df2 / (df2 + df1 * f));
    if (p > 1)
        p = 2 - p;
    return TwoSampleTestResult{df1, df2, f, p};
}

std::optional<TwoSampleTestResult> TwoSampleTests::pairedT(const Values& a, const Values& b) {
    if (a.size() != b.size() || a.size() < 2)
        return std::nullopt;
    Values differences(a.size());
    for (size_t i = 0; i < a.size(); ++i)
        differences[i] = a[i] - b[i];
    const Moments d = momentsOf(differences);
    return tResult(d.mean, std::sqrt(d.variance / d.n), d.n - 1);
}

std::optional<TwoSampleTestResult> TwoSampleTests::kolmogorovSmirnov(const Values& a,
                                                                     const Values& b) {
    if (a.empty() || b.empty())
        return std::nullopt;
    Values x = a, y = b;
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    const double nx = double(x.size()), ny = double(y.size());
    // The distribution functions compared only after every copy of a tied value is taken.
    double d = 0;
    size_t i = 0, j = 0;
    while (i < x.size() || j < y.size()) {
        const double v = j == y.size() || (i < x.size() && x[i] <= y[j]) ? x[i] : y[j];
        while (i < x.size() && x[i] == v)
            ++i;
        while (j < y.size() && y[j] == v)
            ++j;
        d = std::max(d, std::abs(double(i) / nx - double(j) / ny));
    }
    const double lambda = std::sqrt(nx * ny / (nx + ny)) * d;
    return TwoSampleTestResult{0, 0, d, kolmogorovTail(lambda)};
}

double TwoSampleTests::kolmogorovTail(double lambda) {
    if (!(lambda > 0))
        return 1;
    if (lambda < 1) {
        // For small lambda the alternating series converges slowly; the theta-function form
        // of the distribution function converges in a few terms.
        const double z = -(std::numbers::pi * std::numbers::pi / 8) / (lambda * lambda);
        double sum = 0;
        for (int k = 1; k < 40; k += 2)
            sum += std::exp(k * k * z);
        return 1 - std::sqrt(2 * std::numbers::pi) / lambda * sum;
    }
    double sum = 0;
    for (int k = 1; k <= 100; ++k) {
        const double term = std::exp(-2.0 * k * k * lambda * lambda);
        sum += (k % 2 ? 2 : -2) * term;
        if (term < 1e-17 * sum)
            break;
    }
    return std::clamp(sum, 0.0, 1.0);
}

QString TwoSampleTests::verdict(double p) {
    const float fp = float(p);
    if (fp >= 0.05f)
        return QStringLiteral("Difference is not statistically significant");
    if (fp >= 0.01f)
        return QStringLiteral("Difference is statistically almost significant");
    if (fp >= 0.001f)
        return QStringLiteral("Difference is statistically significant");
    return QStringLiteral("Difference is statistically very significant");
}
