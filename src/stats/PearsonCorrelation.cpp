#include "stats/PearsonCorrelation.h"

#include <algorithm>
#include <cmath>

namespace {
// Four running sums per quantity so the loops are not bound by one addition chain.
constexpr size_t kLanes = 4;

double total(const double (&lanes)[kLanes]) {
    return (lanes[0] + lanes[1]) + (lanes[2] + lanes[3]);
}

// Squares left after the mean's correction; none when they are only the mean's rounding (a
// column constant over the used rows), which would otherwise read as spread.
double spread(double squares, double deviationSum, double n) {
    const double corrected = squares - deviationSum * deviationSum / n;
    return corrected > 1e-10 * squares ? corrected : 0;
}
} // namespace

PearsonCorrelation::Prepared PearsonCorrelation::prepare(const std::vector<double>& column) {
    Prepared p;
    p.values.resize(column.size());
    p.present.resize(column.size());
    for (size_t i = 0; i < column.size(); ++i) {
        const bool number = !std::isnan(column[i]);
        p.values[i] = number ? column[i] : 0;
        p.present[i] = number ? 1 : 0;
    }
    return p;
}

PearsonResult PearsonCorrelation::pairwise(const Prepared& x, const Prepared& y) {
    const size_t rows = std::min(x.values.size(), y.values.size());
    const double* xv = x.values.data();
    const double* yv = y.values.data();
    const double* xp = x.present.data();
    const double* yp = y.present.data();

    double n4[kLanes] = {}, sx4[kLanes] = {}, sy4[kLanes] = {};
    const auto sums = [&](size_t i, size_t lane) {
        const double both = xp[i] * yp[i];
        n4[lane] += both;
        sx4[lane] += both * xv[i];
        sy4[lane] += both * yv[i];
    };
    size_t i = 0;
    for (; i + kLanes <= rows; i += kLanes)
        for (size_t lane = 0; lane < kLanes; ++lane)
            sums(i + lane, lane);
    for (; i < rows; ++i)
        sums(i, 0);
    PearsonResult result;
    const double n = total(n4);
    result.n = static_cast<long long>(n);
    if (result.n == 0)
        return result;
    const double meanX = total(sx4) / n, meanY = total(sy4) / n;

    double dx4[kLanes] = {}, dy4[kLanes] = {}, xx4[kLanes] = {}, yy4[kLanes] = {}, xy4[kLanes] = {};
    const auto deviations = [&](size_t i, size_t lane) {
        const double both = xp[i] * yp[i];
        const double dx = both * (xv[i] - meanX), dy = both * (yv[i] - meanY);
        dx4[lane] += dx;
        dy4[lane] += dy;
        xx4[lane] += dx * dx;
        yy4[lane] += dy * dy;
        xy4[lane] += dx * dy;
    };
    for (i = 0; i + kLanes <= rows; i += kLanes)
        for (size_t lane = 0; lane < kLanes; ++lane)
            deviations(i + lane, lane);
    for (; i < rows; ++i)
        deviations(i, 0);
    const double dx = total(dx4), dy = total(dy4);
    const double sxx = spread(total(xx4), dx, n), syy = spread(total(yy4), dy, n);
    const double sxy = total(xy4) - dx * dy / n;
    if (sxx > 0 && syy > 0)
        result.r = std::clamp(sxy / std::sqrt(sxx * syy), -1.0, 1.0);
    return result;
}
