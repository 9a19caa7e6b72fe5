#include "spider/SpiderFigureBuilder.h"

#include "figure/StylePalette.h"

#include <cmath>
#include <limits>

namespace {

constexpr double missing = std::numeric_limits<double>::quiet_NaN();

Series lineSeries(const QString& name, int index) {
    Series s;
    s.name = name;
    s.style = StylePalette::styleFor(index);
    s.style.lineColor = s.style.color;
    s.connectingLine = true;
    s.gapsBreakLine = true;
    return s;
}

} // namespace

double SpiderFigureBuilder::normalized(const SpiderRows& rows, qsizetype row, qsizetype position,
                                       const std::optional<NormalizationSample>& normalization) {
    const double v = rows.value(row, position);
    if (!normalization)
        return v;
    const std::optional<double> by = normalization->valueAt(position);
    return by ? v / *by : missing;
}

Figure SpiderFigureBuilder::build(const SpiderRows& rows, const std::vector<Position>& positions,
                                  const std::optional<NormalizationSample>& normalization,
                                  const std::optional<Classification>& classes,
                                  const Options& options) {
    Figure figure;
    // The positions on the X axis, and their place in the rows.
    std::vector<qsizetype> shown;
    for (qsizetype p = 0; p < qsizetype(positions.size()) && p < rows.positionCount; ++p)
        if (!options.pack || positions[size_t(p)].inDatabase) {
            shown.push_back(p);
            figure.x.categoryLabels << positions[size_t(p)].label;
        }
    figure.x.setRange(0.5, double(shown.size()) + 0.5);
    figure.x.title.clear();
    figure.y.logarithmic = true;

    // One sample's points, then a gap before the next one in the same series.
    const auto addSample = [&](Series& series, qsizetype row) {
        for (size_t i = 0; i < shown.size(); ++i) {
            const double y = normalized(rows, row, shown[i], normalization);
            if (!std::isfinite(y) &&
                (options.connectOverMissing || positions[size_t(shown[i])].bridged))
                continue;
            series.points.push_back({double(i + 1), std::isfinite(y) ? y : missing, row});
        }
        series.points.push_back({missing, missing, row});
    };
    const auto drawn = [&](qsizetype row) { return options.onlyRow < 0 || options.onlyRow == row; };

    if (!classes) {
        for (qsizetype r = 0; r < rows.rowCount(); ++r)
            if (drawn(r)) {
                Series s = lineSeries(rows.keys[size_t(r)], int(figure.series.size()));
                addSample(s, r);
                figure.series.push_back(std::move(s));
            }
        return figure;
    }
    for (const DataClass& c : classes->classes) {
        Series s = lineSeries(c.name, int(figure.series.size()));
        s.points.reserve(c.rows.size() * (shown.size() + 1));
        for (qsizetype r : c.rows)
            if (drawn(r))
                addSample(s, r);
        // Thousands of lines show their class by colour; a symbol at every value would only
        // bury the lines and cost most of the drawing time.
        if (s.pointCount() > symbolLimit)
            s.style.symbol = SymbolShape::None;
        if (!s.points.empty())
            figure.series.push_back(std::move(s));
    }
    return figure;
}
