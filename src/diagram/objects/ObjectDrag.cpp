#include "diagram/objects/ObjectDrag.h"

#include "diagram/objects/PolygonDiscriminator.h"
#include "diagram/objects/TrendlineEquation.h"
#include "platform/NumberText.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

double distance(QPointF a, QPointF b) {
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

double segmentDistance(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / len2, 0.0, 1.0) : 0;
    return distance(p, a + t * ab);
}

// The line's points between its ends, for finding it under the pointer.
std::vector<QPointF> trace(const Trendline& t, const TrendlineEquation& eq) {
    std::vector<QPointF> out;
    for (int i = 0; i <= 100; ++i) {
        const double v = t.xMin + (t.xMax - t.xMin) * i / 100;
        if (const double w = eq.valueAt(v); !std::isnan(w))
            out.push_back(eq.isXOfY() ? QPointF(w, v) : QPointF(v, w));
    }
    return out;
}

// Whether the line is straight: its midpoint value lies on the chord of its ends.
bool straight(const Trendline& t, const TrendlineEquation& eq) {
    const double a = eq.valueAt(t.xMin), b = eq.valueAt(t.xMax);
    const double m = eq.valueAt((t.xMin + t.xMax) / 2);
    return std::abs(m - (a + b) / 2) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
}

// The straight trendline through two points, in the form of the original (X= stays X=).
void throughEnds(Trendline& t, bool xOfY, QPointF a, QPointF b) {
    if (xOfY && a.y() != b.y()) {
        const double slope = (b.x() - a.x()) / (b.y() - a.y());
        t.equation = QStringLiteral("X=") + NumberText::toText(slope) + QStringLiteral("*y+") +
                     NumberText::toText(a.x() - slope * a.y());
        t.xMin = std::min(a.y(), b.y());
        t.xMax = std::max(a.y(), b.y());
        return;
    }
    t.equation = TrendlineEquation::linearThrough(a.x(), a.y(), b.x(), b.y());
    const bool vertical = a.x() == b.x();
    t.xMin = vertical ? std::min(a.y(), b.y()) : std::min(a.x(), b.x());
    t.xMax = vertical ? std::max(a.y(), b.y()) : std::max(a.x(), b.x());
}

// A curve moved by (along, across): its variable v read as v - along, its value plus across.
QString shifted(const QString& equation, bool xOfY, double along, double across) {
    const int body = equation.indexOf(QLatin1Char('=')) + 1;
    const QString variable = xOfY ? QStringLiteral("y") : QStringLiteral("x");
    QString expression = equation.mid(body);
    expression.replace(
        QRegularExpression(QStringLiteral("(?<![A-Za-z0-9_.])%1(?![A-Za-z0-9_(])").arg(variable),
                           QRegularExpression::CaseInsensitiveOption),
        QStringLiteral("(%1-(%2))").arg(variable, NumberText::toText(along)));
    return equation.left(body) + QStringLiteral("(") + expression + QStringLiteral(")+(") +
           NumberText::toText(across) + QStringLiteral(")");
}

} // namespace

std::optional<std::pair<QPointF, QPointF>> ObjectDrag::ends(const Trendline& t) {
    const auto eq = TrendlineEquation::parse(t.equation);
    if (!eq)
        return std::nullopt;
    const double a = eq->valueAt(t.xMin), b = eq->valueAt(t.xMax);
    if (std::isnan(a) || std::isnan(b))
        return std::nullopt;
    if (eq->isXOfY())
        return std::pair{QPointF(a, t.xMin), QPointF(b, t.xMax)};
    return std::pair{QPointF(t.xMin, a), QPointF(t.xMax, b)};
}

bool ObjectDrag::gripPolygon(const UserObjects& objects, const std::vector<size_t>& candidates,
                             QPointF at, double reach, bool whole) {
    grip_ = Grip::None;
    double best = reach;
    for (size_t i : candidates) {
        const auto& nodes = objects.polygons[i].nodes;
        for (size_t k = 0; k < nodes.size(); ++k) {
            const double d = whole ? segmentDistance(at, nodes[k], nodes[(k + 1) % nodes.size()])
                                   : distance(at, nodes[k]);
            if (d <= best) {
                best = d;
                grip_ = whole ? Grip::Polygon : Grip::Node;
                index_ = i;
                node_ = k;
            }
        }
        // The whole polygon is gripped from inside it too.
        if (whole && grip_ == Grip::None &&
            PolygonDiscriminator::locate(nodes, at) != PolygonDiscriminator::Place::Outside) {
            grip_ = Grip::Polygon;
            index_ = i;
        }
    }
    if (grip_ != Grip::None) {
        from_ = at;
        polygon_ = objects.polygons[index_];
    }
    return grip_ != Grip::None;
}

bool ObjectDrag::gripTrendline(const UserObjects& objects, const std::vector<size_t>& candidates,
                               QPointF at, double reach) {
    grip_ = Grip::None;
    double best = reach;
    for (size_t i : candidates) {
        const Trendline& t = objects.trendlines[i];
        const auto eq = TrendlineEquation::parse(t.equation);
        const auto e = ends(t);
        if (!eq || !e)
            continue;
        // An end point wins over the line near it.
        for (const auto& [point, grip] :
             {std::pair{e->first, Grip::LineStart}, std::pair{e->second, Grip::LineEnd}})
            if (const double d = distance(at, point); d <= best) {
                best = d;
                grip_ = grip;
                index_ = i;
            }
        if (grip_ == Grip::LineStart || grip_ == Grip::LineEnd)
            continue;
        const auto points = trace(t, *eq);
        for (size_t k = 0; k + 1 < points.size(); ++k)
            if (const double d = segmentDistance(at, points[k], points[k + 1]); d < best) {
                best = d;
                grip_ = Grip::Line;
                index_ = i;
            }
    }
    if (grip_ != Grip::None) {
        from_ = at;
        line_ = objects.trendlines[index_];
    }
    return grip_ != Grip::None;
}

void ObjectDrag::dragTo(UserObjects& objects, QPointF to) const {
    const QPointF by = to - from_;
    switch (grip_) {
    case Grip::None:
        return;
    case Grip::Node:
        if (index_ < objects.polygons.size() && node_ < polygon_.nodes.size())
            objects.polygons[index_].nodes[node_] = polygon_.nodes[node_] + by;
        return;
    case Grip::Polygon:
        if (index_ < objects.polygons.size())
            for (size_t k = 0; k < polygon_.nodes.size(); ++k)
                objects.polygons[index_].nodes[k] = polygon_.nodes[k] + by;
        return;
    case Grip::Line:
    case Grip::LineStart:
    case Grip::LineEnd:
        break;
    }
    if (index_ >= objects.trendlines.size())
        return;
    const auto eq = TrendlineEquation::parse(line_.equation);
    const auto e = ends(line_);
    if (!eq || !e)
        return;
    Trendline& t = objects.trendlines[index_];
    const bool xOfY = eq->isXOfY();
    if (grip_ == Grip::LineStart || grip_ == Grip::LineEnd) {
        throughEnds(t, xOfY, grip_ == Grip::LineStart ? to : e->first,
                    grip_ == Grip::LineEnd ? to : e->second);
        return;
    }
    if (straight(line_, *eq)) {
        throughEnds(t, xOfY, e->first + by, e->second + by);
        return;
    }
    const double along = xOfY ? by.y() : by.x();
    const double across = xOfY ? by.x() : by.y();
    t.equation = shifted(line_.equation, xOfY, along, across);
    t.xMin = line_.xMin + along;
    t.xMax = line_.xMax + along;
}

bool ObjectDrag::addNode(UserObjects& objects, const std::vector<size_t>& candidates, QPointF at) {
    double best = INFINITY;
    size_t polygon = 0, edge = 0;
    for (size_t i : candidates) {
        const auto& nodes = objects.polygons[i].nodes;
        for (size_t k = 0; k < nodes.size(); ++k)
            if (const double d = segmentDistance(at, nodes[k], nodes[(k + 1) % nodes.size()]);
                d < best) {
                best = d;
                polygon = i;
                edge = k;
            }
    }
    if (std::isinf(best))
        return false;
    auto& nodes = objects.polygons[polygon].nodes;
    nodes.insert(nodes.begin() + qsizetype(edge + 1), at);
    return true;
}
