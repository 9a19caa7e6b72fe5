#include "diagram/objects/PolygonSmoother.h"

std::vector<QPointF> PolygonSmoother::smoothed(const std::vector<QPointF>& nodes) {
    if (nodes.size() < 3)
        return nodes;
    std::vector<QPointF> out;
    out.reserve(2 * nodes.size());
    for (size_t k = 0; k < nodes.size(); ++k) {
        const QPointF a = nodes[k], b = nodes[(k + 1) % nodes.size()];
        out.push_back(0.75 * a + 0.25 * b);
        out.push_back(0.25 * a + 0.75 * b);
    }
    return out;
}
