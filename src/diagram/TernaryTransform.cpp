#include "diagram/TernaryTransform.h"

#include <cmath>

double TernaryTransform::xPerYRatio() {
    return 2.0 / std::sqrt(3.0);
}

std::optional<QPointF> TernaryTransform::toPlane(double a, double b, double c) {
    const double s = a + b + c;
    if (!std::isfinite(s) || s == 0.0)
        return std::nullopt;
    return QPointF((b * 0.5 + c) * 100.0 / s, b * 100.0 / s);
}

std::array<double, 3> TernaryTransform::toComponents(QPointF plane) {
    const double b = plane.y();
    const double c = plane.x() - plane.y() / 2.0;
    return {100.0 - b - c, b, c};
}

TernaryTransform::Skipped TernaryTransform::apply(std::vector<Series>& series) {
    Skipped skipped;
    for (Series& s : series) {
        std::vector<FigurePoint> points;
        std::vector<double> zs;    // C of the points drawn
        std::vector<quint32> kept; // the labels of the points drawn, shared with the series'
        points.reserve(s.points.size());
        // Labels read by row follow their points; labels in point order are picked.
        const bool labelled = !s.labelsByRow && s.hasLabels();
        for (size_t i = 0; i < s.points.size(); ++i) {
            FigurePoint p = s.points[i];
            const double z = s.zAt(i);
            if (p.x < 0 || p.y < 0 || z < 0) {
                ++skipped.negative;
                continue;
            }
            const auto plane = toPlane(p.x, p.y, z);
            if (!plane) {
                ++skipped.zeroSum;
                continue;
            }
            p.x = plane->x();
            p.y = plane->y();
            points.push_back(p);
            zs.push_back(z);
            if (labelled)
                kept.push_back(quint32(i));
        }
        s.points = std::move(points);
        s.z = std::move(zs);
        if (labelled)
            s.labelTexts = PackedTexts::picked(s.labelTexts, std::move(kept));
    }
    return skipped;
}

QString TernaryTransform::negativeNote(qsizetype count) {
    if (count <= 0)
        return {};
    return QStringLiteral("Ternary: %1 rows with a negative component are not shown").arg(count);
}
