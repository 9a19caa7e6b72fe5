#include "diagram/GraphTransforms.h"

#include "stats/ColumnStatistics.h"

#include <QDateTime>
#include <QTimeZone>
#include <cmath>
#include <map>
#include <numbers>

namespace {
void toPlane(FigurePoint& p, double degrees, double radius) {
    const double a = degrees * std::numbers::pi / 180.0;
    p.x = radius * std::cos(a);
    p.y = radius * std::sin(a);
}

OverlayLine horizontal(const QString& name, double y, double x0, double x1, LineDash dash) {
    OverlayLine line;
    line.name = name;
    line.points = {{x0, y}, {x1, y}};
    line.dash = dash;
    line.showInLegend = true;
    return line;
}

std::optional<double> secondsOf(const CellValue& cell) {
    if (cell.kind() == CellValue::Kind::Date) {
        QDateTime d = *cell.toDate();
        d.setTimeZone(QTimeZone::utc());
        return double(d.toSecsSinceEpoch());
    }
    if (cell.kind() != CellValue::Kind::Text)
        return std::nullopt;
    const QString text = cell.toText().trimmed();
    for (const auto* format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-ddTHH:mm:ss",
                               "yyyy-MM-dd", "d.M.yyyy H:mm", "d.M.yyyy"}) {
        QDateTime t = QDateTime::fromString(text, QString::fromLatin1(format));
        if (t.isValid()) {
            t.setTimeZone(QTimeZone::utc());
            return double(t.toSecsSinceEpoch());
        }
    }
    return std::nullopt;
}
} // namespace

void GraphTransforms::polar(Series& series) {
    for (FigurePoint& p : series.points)
        toPlane(p, p.x, p.y);
}

void GraphTransforms::radar(Series& series) {
    const double n = double(series.points.size());
    for (size_t i = 0; i < series.points.size(); ++i)
        toPlane(series.points[i], 90.0 - 360.0 * double(i) / n, series.points[i].y);
}

void GraphTransforms::cumulative(Series& series) {
    double sum = 0.0;
    for (FigurePoint& p : series.points) {
        sum += p.y;
        p.y = sum;
    }
    series.name = QStringLiteral("Cum ") + series.name;
}

void GraphTransforms::stack(std::vector<Series>& series) {
    std::map<double, double> below; // X -> the Y of the series so far
    for (Series& s : series) {
        std::map<double, double> added;
        for (FigurePoint& p : s.points) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y))
                continue;
            const auto base = below.find(p.x);
            const double own = p.y;
            if (base != below.end())
                p.y += base->second;
            added[p.x] += own;
        }
        for (const auto& [x, y] : added)
            below[x] += y;
    }
}

void GraphTransforms::rowOrder(Series& series) {
    for (FigurePoint& p : series.points)
        p.x = double(p.row + 1);
}

std::vector<OverlayLine> GraphTransforms::shewhartLines(const std::vector<double>& values,
                                                        double xFrom, double xTo, bool limits) {
    if (values.size() < 2)
        return {};
    const ColumnStatistics stats(values);
    const double mean = *stats.mean();
    const double s = stats.standardDeviation().value_or(0.0);
    std::vector<OverlayLine> lines{
        horizontal(QStringLiteral("AVG (") + QString::number(mean, 'g', 6) + QLatin1Char(')'), mean,
                   xFrom, xTo, LineDash::Solid)};
    if (limits)
        for (const auto& [name, k, dash] :
             {std::tuple{"+2S", 2.0, LineDash::Dashed}, std::tuple{"-2S", -2.0, LineDash::Dashed},
              std::tuple{"+3S", 3.0, LineDash::Dotted}, std::tuple{"-3S", -3.0, LineDash::Dotted}})
            lines.push_back(horizontal(QString::fromLatin1(name), mean + k * s, xFrom, xTo, dash));
    return lines;
}

std::optional<double> GraphTransforms::timeOf(const CellValue& cell) {
    const auto seconds = secondsOf(cell);
    return seconds ? seconds : cell.toNumber();
}

RowSet GraphTransforms::withTimeColumn(const RowSet& rows, int column) {
    RowSet out(rows.columnNames());
    for (qsizetype r = 0; r < rows.rowCount(); ++r) {
        RowSet::Row row = rows.row(r);
        if (column >= 0 && size_t(column) < row.size())
            if (const auto s = secondsOf(row[size_t(column)]))
                row[size_t(column)] = CellValue::number(*s);
        out.appendRow(std::move(row));
    }
    return out;
}
