#include "stats/fit/PolynomialLeastSquares.h"

#include <Eigen/Dense>
#include <cmath>

namespace {

// Coefficients of sum d_j * ((x - centre) / scale)^j in plain powers of x.
std::vector<double> expand(const std::vector<double>& d, double centre, double scale) {
    const size_t n = d.size();
    std::vector<double> c(n, 0.0);
    for (size_t j = 0; j < n; ++j) {
        const double dj = d[j] / std::pow(scale, double(j));
        double binomial = 1; // C(j, i), i from 0
        for (size_t i = 0; i <= j; ++i) {
            c[i] += dj * binomial * std::pow(-centre, double(j - i));
            binomial = binomial * double(j - i) / double(i + 1);
        }
    }
    return c;
}

} // namespace

std::optional<std::vector<double>> PolynomialLeastSquares::fit(const std::vector<double>& x,
                                                               const std::vector<double>& y,
                                                               int order,
                                                               std::optional<QPointF> through) {
    const Eigen::Index n = Eigen::Index(x.size());
    if (order < 1 || n == 0 || y.size() != x.size())
        return std::nullopt;
    // Centred on the mean (or the forced point) and scaled to the largest distance from it.
    double centre = 0;
    if (through) {
        centre = through->x();
    } else {
        for (double v : x)
            centre += v;
        centre /= double(n);
    }
    double scale = 0;
    for (double v : x)
        scale = std::max(scale, std::abs(v - centre));
    if (!(scale > 0) || !std::isfinite(scale))
        return std::nullopt;
    const int first = through ? 1 : 0;
    const Eigen::Index columns = order + 1 - first;
    if (n < columns)
        return std::nullopt;
    Eigen::MatrixXd design(n, columns);
    Eigen::VectorXd target(n);
    for (Eigen::Index r = 0; r < n; ++r) {
        const double t = (x[size_t(r)] - centre) / scale;
        double power = first ? t : 1.0;
        for (Eigen::Index c = 0; c < columns; ++c) {
            design(r, c) = power;
            power *= t;
        }
        target(r) = y[size_t(r)] - (through ? through->y() : 0.0);
    }
    Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(design);
    qr.setThreshold(1e-12);
    if (qr.rank() < columns)
        return std::nullopt;
    const Eigen::VectorXd solved = qr.solve(target);
    std::vector<double> d(size_t(order + 1), 0.0);
    for (Eigen::Index c = 0; c < columns; ++c)
        d[size_t(c + first)] = solved(c);
    std::vector<double> coefficients = expand(d, centre, scale);
    if (through)
        coefficients[0] += through->y();
    for (double c : coefficients)
        if (!std::isfinite(c))
            return std::nullopt;
    return coefficients;
}

double PolynomialLeastSquares::valueAt(const std::vector<double>& coefficients, double x) {
    double v = 0;
    for (size_t i = coefficients.size(); i-- > 0;)
        v = v * x + coefficients[i];
    return v;
}
