#include "stats/BoxPlotFigure.h"

#include "figure/AxisScaler.h"

#include <cmath>

namespace {
constexpr double halfWidth = 0.3;
constexpr FigureColor boxColor{0, 0, 160};
constexpr FigureColor middleColor{200, 0, 0};
constexpr FigureColor whiskerColor{0, 0, 0};

void addLine(Figure& f, const QString& name, std::vector<QPointF> points, FigureColor color,
             bool inLegend, double width = 1.5) {
    for (const QPointF& p : points)
        if (!std::isfinite(p.y()))
            return;
    OverlayLine line;
    line.name = name;
    line.points = std::move(points);
    line.color = color;
    line.width = width;
    line.showInLegend = inLegend;
    f.lines.push_back(std::move(line));
}

Series pointSet(const QString& name, SymbolShape symbol, FigureColor color, bool filled) {
    Series s;
    s.name = name;
    s.style.symbol = symbol;
    s.style.color = color;
    s.style.filled = filled;
    s.style.symbolSize = 7;
    return s;
}
} // namespace

Figure BoxPlotFigure::make(const std::vector<BoxClass>& boxes, const BoxParts& parts,
                           const QString& valueTitle, const QString& classTitle) {
    Figure f;
    f.header = valueTitle + QStringLiteral(" vs. ") + classTitle;
    f.x.title = classTitle;
    f.y.title = valueTitle;
    Series outliers = pointSet(QStringLiteral("outliers"), SymbolShape::Circle, {0, 0, 0}, false);
    Series extremes = pointSet(QStringLiteral("extremes"), SymbolShape::Star, {200, 0, 0}, true);
    Series minMax = pointSet(QStringLiteral("min and max"), SymbolShape::Cross, {90, 90, 90}, true);
    for (size_t i = 0; i < boxes.size(); ++i) {
        const BoxClass& b = boxes[i];
        const double x = double(i + 1);
        const double l = x - halfWidth, r = x + halfWidth;
        const bool first = i == 0;
        f.x.categoryLabels << b.name;
        if (parts.box) {
            addLine(f, QStringLiteral("non-outlier max"),
                    {{l + 0.1, b.nonOutlierMax}, {r - 0.1, b.nonOutlierMax}}, whiskerColor, first);
            addLine(f, QStringLiteral("UBV"), {{l, b.upperBox}, {r, b.upperBox}}, boxColor, first);
            addLine(f, QStringLiteral("LBV"), {{l, b.lowerBox}, {r, b.lowerBox}}, boxColor, first);
            addLine(f, QStringLiteral("non-outlier min"),
                    {{l + 0.1, b.nonOutlierMin}, {r - 0.1, b.nonOutlierMin}}, whiskerColor, first);
            addLine(f, {}, {{l, b.lowerBox}, {l, b.upperBox}}, boxColor, false);
            addLine(f, {}, {{r, b.lowerBox}, {r, b.upperBox}}, boxColor, false);
            addLine(f, {}, {{x, b.upperBox}, {x, b.nonOutlierMax}}, whiskerColor, false, 1);
            addLine(f, {}, {{x, b.lowerBox}, {x, b.nonOutlierMin}}, whiskerColor, false, 1);
        }
        if (parts.middle)
            addLine(f, parts.middleIsMedian ? QStringLiteral("median") : QStringLiteral("average"),
                    {{l, b.middle}, {r, b.middle}}, middleColor, first, 2.5);
        for (const auto* list : {&b.outlierLow, &b.outlierHigh})
            for (double v : *list)
                outliers.points.push_back({x, v});
        for (const auto* list : {&b.extremeLow, &b.extremeHigh})
            for (double v : *list)
                extremes.points.push_back({x, v});
        for (double v : {b.min, b.max})
            if (std::isfinite(v))
                minMax.points.push_back({x, v});
    }
    if (parts.outliers)
        f.series.push_back(std::move(outliers));
    if (parts.extremes)
        f.series.push_back(std::move(extremes));
    if (parts.minMax)
        f.series.push_back(std::move(minMax));
    AxisScaler::autoScaleY(f);
    f.x.setRange(0.5, double(boxes.size()) + 0.5);
    return f;
}
