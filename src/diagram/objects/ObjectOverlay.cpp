#include "diagram/objects/ObjectOverlay.h"

#include "diagram/objects/TrendlineEquation.h"

#include <algorithm>
#include <cmath>

namespace {

double segmentDistance(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / len2, 0.0, 1.0) : 0;
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

} // namespace

std::vector<QPointF> ObjectOverlay::tracePoints(const Trendline& t) {
    std::vector<QPointF> out;
    const auto eq = TrendlineEquation::parse(t.equation);
    if (!eq)
        return out;
    const int steps = 100;
    for (int i = 0; i <= steps; ++i) {
        const double v = t.xMin + (t.xMax - t.xMin) * i / steps;
        const double w = eq->valueAt(v);
        if (!std::isnan(w))
            out.push_back(eq->isXOfY() ? QPointF(w, v) : QPointF(v, w));
    }
    return out;
}

void ObjectOverlay::add(Figure& figure, const UserObjects& objects, const ObjectAxes& figureAxes,
                        int selectedPolygon, int selectedTrendline) {
    for (size_t i = 0; i < objects.trendlines.size(); ++i) {
        const Trendline& t = objects.trendlines[i];
        if (!t.axes.matches(figureAxes))
            continue;
        OverlayLine l;
        l.name = t.name;
        l.points = tracePoints(t);
        l.color = int(i) == selectedTrendline ? FigureColor{255, 0, 0} : FigureColor{128, 0, 0};
        l.width = int(i) == selectedTrendline ? 2.5 : 1.5;
        l.showInLegend = t.showInLegend;
        l.countsForScale = false;
        l.kind = OverlayKind::Trendline;
        figure.lines.push_back(std::move(l));
    }
    for (size_t i = 0; i < objects.polygons.size(); ++i) {
        const UserPolygon& p = objects.polygons[i];
        if (!p.axes.matches(figureAxes))
            continue;
        OverlayLine l;
        l.name = p.name;
        l.points = p.nodes;
        l.closed = true;
        l.kind = OverlayKind::Polygon;
        l.color = int(i) == selectedPolygon ? FigureColor{255, 0, 0} : FigureColor{0, 0, 160};
        l.width = int(i) == selectedPolygon ? 2.5 : 1.5;
        l.showInLegend = p.showInLegend;
        l.countsForScale = false;
        figure.lines.push_back(std::move(l));
    }
    for (const RefPoint& p : objects.points)
        if (p.axes.matches(figureAxes))
            figure.texts.push_back(
                {QStringLiteral("+ ") + p.name, p.at, {200, 0, 0, 255}, 9, {}, p.name});
    for (const TextLabel& t : objects.texts)
        figure.texts.push_back({t.text, t.at, {0, 0, 0, 255}, 9, {}, {}});
}

double ObjectOverlay::distance(const std::vector<QPointF>& line, QPointF at) {
    if (line.empty())
        return std::nan("");
    double best = std::hypot(at.x() - line.front().x(), at.y() - line.front().y());
    for (size_t k = 0; k + 1 < line.size(); ++k)
        best = std::min(best, segmentDistance(at, line[k], line[k + 1]));
    return best;
}

ObjectOverlay::Picked ObjectOverlay::nearest(const UserObjects& objects,
                                             const ObjectAxes& figureAxes, QPointF at, double reach,
                                             const Projection& project) {
    const auto p = [&project](QPointF data) { return project ? project(data) : data; };
    Picked picked;
    double best = reach;
    for (size_t i = 0; i < objects.polygons.size(); ++i) {
        if (!objects.polygons[i].axes.matches(figureAxes))
            continue;
        const auto& n = objects.polygons[i].nodes;
        for (size_t k = 0; k < n.size(); ++k)
            if (const double dist = segmentDistance(at, p(n[k]), p(n[(k + 1) % n.size()]));
                dist <= best) {
                best = dist;
                picked.polygon = int(i);
            }
    }
    for (size_t i = 0; i < objects.trendlines.size(); ++i) {
        if (!objects.trendlines[i].axes.matches(figureAxes))
            continue;
        const auto pts = tracePoints(objects.trendlines[i]);
        for (size_t k = 0; k + 1 < pts.size(); ++k)
            if (const double dist = segmentDistance(at, p(pts[k]), p(pts[k + 1])); dist <= best) {
                best = dist;
                picked.trendline = int(i);
                picked.polygon = -1;
            }
    }
    return picked;
}
