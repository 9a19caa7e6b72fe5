#pragma once
// One fit of a curve to X/Y points: the model's parameters by least squares (polynomials by a
// rank-revealing QR, the curves that are not linear in their parameters by
// Levenberg-Marquardt started from their log-linear fit), R squared on the original y, the
// F test's probability, chi-square (the residual sum of squares), the equation texts and the
// 100 points of the drawn curve. Moving averages give their running mean as the curve, with
// no equation. Best fit tries each model of the set once and keeps the largest R squared.
#include "stats/fit/CurveModel.h"

#include <vector>

struct CurveFit {
    CurveModel model = CurveModel::Linear;
    int period = 0; // a moving average's
    std::vector<double> parameters;
    std::optional<double> rSquared; // empty when y does not vary
    double chiSquare = 0;
    std::optional<double> probability;
    QString equation;   // "y=..." for display; empty for a moving average
    QString formula;    // the worksheet formula, H1 for x
    QString expression; // in x, for a trendline's "Y=" equation
    std::vector<QPointF> curve;
    int rowsUsed = 0;
};

struct CurveFitOutcome {
    std::optional<CurveFit> fit;
    QString error; // the message when there is no fit
    QString note;  // rows left out of the fit, said beside it
};

class CurveFitter {
public:
    static constexpr int curvePoints = 100;

    static QString singular() { return QStringLiteral("Singular matrix"); }
    static QString orderRefused(int highest, int rows) {
        return QString::number(highest) +
               QStringLiteral(" degree is the highest degree, which can be fitted with current "
                              "data. (only ") +
               QString::number(rows) + QStringLiteral(" rows data)");
    }
    static QString periodRefused() {
        return QStringLiteral("Period: give number of points included in the running average");
    }
    static QString cannotForce() {
        return QStringLiteral("This curve can not be forced through the given point");
    }
    static QString noValidData() { return QStringLiteral("No valid data"); }

    static CurveFitOutcome fit(const std::vector<QPointF>& points, const CurveFitRequest& request);
    // The models tried by "Best fit": each once, the polynomial at the request's order.
    static std::vector<CurveModel> bestFitModels();
    static CurveFitOutcome bestFit(const std::vector<QPointF>& points,
                                   const CurveFitRequest& request);
};
