#pragma once
// The convex hull of points (Andrew's monotone chain): its corners in counter-clockwise order
// from the lowest X, without repeated or collinear points. Fewer than three distinct points come
// back as they are, sorted. Stateless.
#include <QPointF>
#include <vector>

class ConvexHull {
public:
    static std::vector<QPointF> of(std::vector<QPointF> points);
};
