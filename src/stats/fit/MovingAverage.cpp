#include "stats/fit/MovingAverage.h"

#include <algorithm>

std::vector<QPointF> MovingAverage::running(std::vector<QPointF> points, int period, bool inX) {
    if (period < 2 || size_t(period) > points.size())
        return {};
    const auto along = [inX](QPointF p) { return inX ? p.y() : p.x(); };
    const auto averaged = [inX](QPointF p) { return inX ? p.x() : p.y(); };
    std::stable_sort(points.begin(), points.end(),
                     [&](QPointF a, QPointF b) { return along(a) < along(b); });
    std::vector<QPointF> out;
    double sum = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        sum += averaged(points[i]);
        if (i >= size_t(period))
            sum -= averaged(points[i - size_t(period)]);
        if (i + 1 < size_t(period))
            continue;
        const double mean = sum / period;
        out.push_back(inX ? QPointF(mean, points[i].y()) : QPointF(points[i].x(), mean));
    }
    return out;
}
