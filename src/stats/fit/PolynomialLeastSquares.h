#pragma once
// Least squares of y on a polynomial in x, solved by a rank-revealing QR (column pivoting) of
// the design in a centred and scaled x, never by normal equations: powers up to 9 of values in
// the ten thousands would swamp the solution. Forced through (x0, y0) the design has no
// constant and is built on x - x0 (R's lm(I(y-y0) ~ 0 + I(x-x0) + ...)). The coefficients come
// back for the plain powers of x.
#include <QPointF>
#include <optional>
#include <vector>

class PolynomialLeastSquares {
public:
    // c0..c_order of y = c0 + c1*x + ... ; nullopt when the design is rank-deficient (fewer
    // distinct x than coefficients, or every x the same).
    static std::optional<std::vector<double>> fit(const std::vector<double>& x,
                                                  const std::vector<double>& y, int order,
                                                  std::optional<QPointF> through = {});
    // The polynomial's value at x (Horner).
    static double valueAt(const std::vector<double>& coefficients, double x);
};
