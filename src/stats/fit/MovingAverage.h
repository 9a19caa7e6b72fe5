#pragma once
// The running mean over `period` consecutive points. In Y: the points in rising X, each from
// the period-th on placed at its own X with the mean Y of it and the period - 1 before it. In
// X: the same with the roles swapped (rising Y, mean X). Empty when the period is below 2 or
// above the number of points.
#include <QPointF>
#include <vector>

class MovingAverage {
public:
    static std::vector<QPointF> running(std::vector<QPointF> points, int period, bool inX);
};
