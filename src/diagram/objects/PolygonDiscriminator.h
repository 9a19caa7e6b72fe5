#pragma once
// Which polygons each sample falls in: one code per polygon, "I" inside, "O" outside, in
// polygon order. A sample exactly on an edge (decided exactly with the cross product) is inside
// only with the on-line option on. Crossings are counted along the vertical line through the
// sample with a half-open rule, so a vertex shared by two edges counts once and vertical edges
// (no slope) never count; the closing edge from the last node to the first is included. Each
// polygon's bounding box is tried first. Stateless.
#include <QPointF>
#include <QString>
#include <vector>

class PolygonDiscriminator {
public:
    enum class Place { Inside, Outside, OnEdge };
    static Place locate(const std::vector<QPointF>& polygon, QPointF p);
    // A sample whose X or Y is not a number is outside every polygon.
    static std::vector<QString> codes(const std::vector<QPointF>& samples,
                                      const std::vector<std::vector<QPointF>>& polygons,
                                      bool onLineInside);
};
