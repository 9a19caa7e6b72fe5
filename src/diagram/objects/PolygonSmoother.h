#pragma once
// "&Smooth": one pass of corner cutting (Chaikin): every edge of the closed polygon gives the
// points at a quarter and three quarters of its length, so corners are rounded and the polygon
// shrinks slightly into them. Twice the nodes after each pass. Stateless.
#include <QPointF>
#include <vector>

class PolygonSmoother {
public:
    static std::vector<QPointF> smoothed(const std::vector<QPointF>& nodes);
};
