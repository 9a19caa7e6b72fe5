#include "diagram/objects/PolygonDiscriminator.h"

#include <algorithm>
#include <cmath>

PolygonDiscriminator::Place PolygonDiscriminator::locate(const std::vector<QPointF>& polygon,
                                                         QPointF p) {
    const size_t n = polygon.size();
    if (n < 3 || !std::isfinite(p.x()) || !std::isfinite(p.y()))
        return Place::Outside;
    bool inside = false;
    for (size_t i = 0; i < n; ++i) {
        const QPointF a = polygon[i];
        const QPointF b = polygon[(i + 1) % n];
        const double cross = (b.x() - a.x()) * (p.y() - a.y()) - (b.y() - a.y()) * (p.x() - a.x());
        if (cross == 0 && p.x() >= std::min(a.x(), b.x()) && p.x() <= std::max(a.x(), b.x()) &&
            p.y() >= std::min(a.y(), b.y()) && p.y() <= std::max(a.y(), b.y()))
            return Place::OnEdge;
        // Half-open in X: the edge spans p.x when exactly one end lies at or left of it.
        if ((a.x() <= p.x()) == (b.x() <= p.x()))
            continue;
        // The edge passes above the sample when cross and the edge's X direction differ in sign.
        if ((cross < 0) == (b.x() > a.x()))
            inside = !inside;
    }
    return inside ? Place::Inside : Place::Outside;
}

std::vector<QString> PolygonDiscriminator::codes(const std::vector<QPointF>& samples,
                                                 const std::vector<std::vector<QPointF>>& polygons,
                                                 bool onLineInside) {
    struct Box {
        double x0, y0, x1, y1;
    };
    std::vector<Box> boxes;
    for (const auto& polygon : polygons) {
        Box b{INFINITY, INFINITY, -INFINITY, -INFINITY};
        for (const QPointF& q : polygon)
            b = {std::min(b.x0, q.x()), std::min(b.y0, q.y()), std::max(b.x1, q.x()),
                 std::max(b.y1, q.y())};
        boxes.push_back(b);
    }
    std::vector<QString> out;
    out.reserve(samples.size());
    QString code(qsizetype(polygons.size()), QLatin1Char('O'));
    for (const QPointF& p : samples) {
        for (size_t k = 0; k < polygons.size(); ++k) {
            const Box& b = boxes[k];
            bool in = false;
            if (p.x() >= b.x0 && p.x() <= b.x1 && p.y() >= b.y0 && p.y() <= b.y1) {
                const Place place = locate(polygons[k], p);
                in = place == Place::Inside || (place == Place::OnEdge && onLineInside);
            }
            code[qsizetype(k)] = in ? QLatin1Char('I') : QLatin1Char('O');
        }
        out.push_back(code);
    }
    return out;
}
