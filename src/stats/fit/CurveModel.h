#pragma once
// The curves the fit window offers, and what one fit is asked for: the model, the polynomial
// order, the moving average's period and the optional point the curve is forced through.
#include <QPointF>
#include <QString>
#include <optional>

enum class CurveModel {
    Linear,
    Polynomial,
    Logarithmic,
    Exponential,
    Power,
    OneMinusExp,        // y=1-exp(-a*x)
    HundredOneMinusExp, // y=100*(1-exp(-a*x))
    ScaledOneMinusExp,  // y=b*(1-exp(-a*x))
    MovingAverageY,
    MovingAverageX
};

struct CurveFitRequest {
    static constexpr int maxOrder = 9;
    CurveModel model = CurveModel::Linear;
    int order = 2;  // Polynomial only
    int period = 2; // moving averages only
    std::optional<QPointF> through;
};

inline bool isMovingAverage(CurveModel m) {
    return m == CurveModel::MovingAverageY || m == CurveModel::MovingAverageX;
}
