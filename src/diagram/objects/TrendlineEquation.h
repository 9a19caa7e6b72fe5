#pragma once
// A trendline's Equation: "Y=" and an expression in x, or "X=" (also "X =") and an expression
// in y, read as X in terms of y (the prefix compared without case). The expression is a formula
// of the spreadsheet syntax, compiled once. valueAt gives the line's Y at an X (for a Y= line)
// or its X at a Y (for an X= line); NaN where the line has no value (an error value such as a
// division by zero, or a result that is not a number).
#include "formula/Formula.h"

#include <QPointF>
#include <optional>
#include <vector>

class TrendlineEquation {
public:
    // nullopt for a text that is neither form or whose expression cannot be read.
    static std::optional<TrendlineEquation> parse(const QString& equation);
    // The equation of the straight line through two points: "Y=" slope "*x+" intercept; a
    // vertical line gives "X=" and its X.
    static QString linearThrough(double x1, double y1, double x2, double y2);
    // The "Y=" equation of the broken line through points in rising X order, one straight
    // piece between each two (IF on x); empty for fewer than two points or X that repeats.
    // xOfY: the points are (y, x) pairs in rising y, and the line is the "X=" equation in y.
    static QString polylineThrough(const std::vector<QPointF>& points, bool xOfY = false);

    bool isXOfY() const { return xOfY_; }
    double valueAt(double v) const;

private:
    TrendlineEquation(Formula f, bool xOfY)
        : formula_(std::move(f))
        , xOfY_(xOfY) {}
    Formula formula_;
    bool xOfY_ = false;
};
