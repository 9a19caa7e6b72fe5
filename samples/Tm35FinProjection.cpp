#include "Tm35FinProjection.h"

#include <cmath>
#include <numbers>

// Krueger's series to third order in n: sub-millimetre within the zone.
std::pair<double, double> Tm35FinProjection::forward(double latDeg, double lonDeg) {
    constexpr double a = 6378137.0;
    constexpr double f = 1.0 / 298.257222101;
    constexpr double k0 = 0.9996;
    constexpr double lon0 = 27.0;
    constexpr double falseEasting = 500000.0;
    constexpr double deg = std::numbers::pi / 180.0;

    const double n = f / (2.0 - f);
    const double bigA = a / (1.0 + n) * (1.0 + n * n / 4.0 + n * n * n * n / 64.0);
    const double alpha[3] = {n / 2.0 - 2.0 * n * n / 3.0 + 5.0 * n * n * n / 16.0,
                             13.0 * n * n / 48.0 - 3.0 * n * n * n / 5.0, 61.0 * n * n * n / 240.0};
    const double e2n = 2.0 * std::sqrt(n) / (1.0 + n);

    const double phi = latDeg * deg;
    const double dLambda = (lonDeg - lon0) * deg;
    const double sinPhi = std::sin(phi);
    const double t = std::sinh(std::atanh(sinPhi) - e2n * std::atanh(e2n * sinPhi));
    const double xi = std::atan2(t, std::cos(dLambda));
    const double eta = std::atanh(std::sin(dLambda) / std::sqrt(1.0 + t * t));

    double easting = eta;
    double northing = xi;
    for (int j = 1; j <= 3; ++j) {
        easting += alpha[j - 1] * std::cos(2.0 * j * xi) * std::sinh(2.0 * j * eta);
        northing += alpha[j - 1] * std::sin(2.0 * j * xi) * std::cosh(2.0 * j * eta);
    }
    return {falseEasting + k0 * bigA * easting, k0 * bigA * northing};
}
