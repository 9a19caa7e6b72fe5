#include "diagram/objects/TrendlineDiscriminator.h"

#include <cmath>
#include <limits>

QChar TrendlineDiscriminator::code(const Line& line, QPointF sample, bool extend) {
    const bool xOfY = line.equation.isXOfY();
    const double along = xOfY ? sample.y() : sample.x();
    const double across = xOfY ? sample.x() : sample.y();
    if (!std::isfinite(along) || !std::isfinite(across))
        return QLatin1Char('O');
    if (!extend &&
        (along < std::min(line.xMin, line.xMax) || along > std::max(line.xMin, line.xMax)))
        return QLatin1Char('O');
    const double value = line.equation.valueAt(along);
    if (std::isnan(value))
        return QLatin1Char('O');
    if (xOfY)
        return across < value ? QLatin1Char('L') : QLatin1Char('R');
    return across < value ? QLatin1Char('B') : QLatin1Char('A');
}

std::vector<QString> TrendlineDiscriminator::codes(const std::vector<QPointF>& samples,
                                                   const std::vector<Line>& lines, bool extend) {
    std::vector<QString> out;
    out.reserve(samples.size());
    for (const QPointF& p : samples) {
        QString c;
        c.reserve(qsizetype(lines.size()));
        for (const Line& l : lines)
            c += code(l, p, extend);
        out.push_back(c);
    }
    return out;
}

double TrendlineDiscriminator::delta(const Line& line, QPointF sample) {
    if (line.equation.isXOfY())
        return std::numeric_limits<double>::quiet_NaN();
    return sample.y() - line.equation.valueAt(sample.x());
}
