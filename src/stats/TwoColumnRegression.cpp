#include "stats/TwoColumnRegression.h"

#include <algorithm>
#include <cmath>

TwoColumnRegression TwoColumnRegression::of(const std::vector<double>& y,
                                            const std::vector<double>& x) {
    TwoColumnRegression out;
    const size_t rows = std::min(x.size(), y.size());
    double mx = 0, my = 0;
    for (size_t i = 0; i < rows; ++i)
        if (!std::isnan(x[i]) && !std::isnan(y[i])) {
            ++out.n;
            mx += x[i];
            my += y[i];
        }
    if (out.n < 2)
        return out;
    mx /= double(out.n);
    my /= double(out.n);
    double sxx = 0, syy = 0, sxy = 0;
    for (size_t i = 0; i < rows; ++i)
        if (!std::isnan(x[i]) && !std::isnan(y[i])) {
            const double dx = x[i] - mx, dy = y[i] - my;
            sxx += dx * dx;
            syy += dy * dy;
            sxy += dx * dy;
        }
    if (!(sxx > 0))
        return out;
    out.fitted = true;
    out.slope = sxy / sxx;
    out.intercept = my - out.slope * mx;
    if (syy > 0)
        out.r = std::clamp(sxy / std::sqrt(sxx * syy), -1.0, 1.0);
    return out;
}
