#pragma once
// The texts of a fitted curve, built from its parameters: for display ("y=" + a + "*x+" + b,
// numbers to ten significant digits), as a worksheet formula in which H1 stands for x
// (exact numbers), and as the expression in x that a trendline's "Y=" equation carries (the
// worksheet form with x in place of H1). Parameters by model: Linear, Logarithmic,
// Exponential, Power and "b*(1-exp(-a*x))" {a, b}; Polynomial c0..ck; the two other
// "1-exp" forms {a}.
#include "stats/fit/CurveModel.h"

#include <vector>

class CurveEquation {
public:
    static QString display(CurveModel model, const std::vector<double>& p);
    static QString worksheetFormula(CurveModel model, const std::vector<double>& p);
    static QString expression(CurveModel model, const std::vector<double>& p);
};
