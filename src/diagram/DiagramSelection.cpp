#include "diagram/DiagramSelection.h"

#include <cmath>

void DiagramSelection::add(const Series& s, size_t i) {
    const QString key = s.label(i);
    const QPointF at(s.points[i].x, s.points[i].y);
    for (const SelectedSample& already : samples_)
        if (already.key == key && already.series == s.name && already.at == at)
            return;
    samples_.push_back({key, s.name, at});
}

int DiagramSelection::selectIn(const Figure& figure, const QRectF& area) {
    const QRectF r = area.normalized();
    const size_t before = samples_.size();
    for (const Series& s : figure.series)
        for (size_t i = 0; i < s.points.size(); ++i) {
            const FigurePoint& p = s.points[i];
            // Closed on every side: a point on the rectangle's edge is inside.
            if (p.x >= r.left() && p.x <= r.right() && p.y >= r.top() && p.y <= r.bottom())
                add(s, i);
        }
    return int(samples_.size() - before);
}

bool DiagramSelection::selectNear(const Figure& figure, QPointF at, double reach) {
    const Series* best = nullptr;
    size_t bestIndex = 0;
    double bestDistance = reach;
    for (const Series& s : figure.series)
        for (size_t i = 0; i < s.points.size(); ++i) {
            const double d = std::hypot(s.points[i].x - at.x(), s.points[i].y - at.y());
            if (d <= bestDistance) {
                bestDistance = d;
                best = &s;
                bestIndex = i;
            }
        }
    if (!best)
        return false;
    add(*best, bestIndex);
    return true;
}

void DiagramSelection::selectAll(const Figure& figure) {
    for (const Series& s : figure.series)
        for (size_t i = 0; i < s.points.size(); ++i)
            add(s, i);
}

std::vector<QPointF> DiagramSelection::points() const {
    std::vector<QPointF> out;
    out.reserve(samples_.size());
    for (const SelectedSample& s : samples_)
        out.push_back(s.at);
    return out;
}

QStringList DiagramSelection::keys() const {
    QStringList out;
    for (const SelectedSample& s : samples_)
        if (!s.key.isEmpty() && !out.contains(s.key))
            out << s.key;
    return out;
}

std::optional<SelectedSample> DiagramSelection::find(const Figure& figure, const QString& label) {
    const QString wanted = label.trimmed();
    for (const Series& s : figure.series) {
        if (!s.hasLabels())
            continue;
        for (size_t i = 0; i < s.points.size(); ++i)
            if (const QString key = s.label(i); key.compare(wanted, Qt::CaseInsensitive) == 0)
                return SelectedSample{key, s.name, QPointF(s.points[i].x, s.points[i].y)};
    }
    return std::nullopt;
}
