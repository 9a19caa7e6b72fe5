#include "figure/SeriesBuilder.h"

#include "figure/StylePalette.h"
#include "platform/RowSet.h"
#include "platform/Sheet.h"

namespace {

// One loop for both sources: number(r, column) and text(r, column) read a cell of row r.
template <typename Number, typename Text>
SeriesBuilder::Result buildSeries(const SeriesBuilder::Columns& columns,
                                  const Classification& classes, Number number, Text text) {
    SeriesBuilder::Result result;
    result.series.reserve(classes.classes.size());
    for (const DataClass& dataClass : classes.classes) {
        Series s;
        s.name = dataClass.name;
        s.style = StylePalette::styleFor(int(result.series.size()));
        s.points.reserve(dataClass.rows.size());
        for (const qsizetype r : dataClass.rows) {
            const std::optional<double> x = number(r, columns.x);
            const std::optional<double> y = number(r, columns.y);
            if (!x || !y) {
                ++result.nonNumericRowsSkipped;
                continue;
            }
            FigurePoint p{*x, *y, 0.0, r};
            if (columns.z >= 0) {
                p.z = number(r, columns.z).value_or(0.0);
            }
            s.points.push_back(p);
            if (columns.label >= 0) {
                s.labels.push_back(text(r, columns.label));
            }
        }
        result.series.push_back(std::move(s));
    }
    return result;
}

} // namespace

SeriesBuilder::Result SeriesBuilder::build(const RowSet& rows, const Columns& columns,
                                           const Classification& classes) {
    return buildSeries(
        columns, classes, [&](qsizetype r, int c) { return rows.at(r, c).toNumber(); },
        [&](qsizetype r, int c) { return rows.at(r, c).toText(); });
}

SeriesBuilder::Result SeriesBuilder::build(const Sheet& sheet, int firstRow, const Columns& columns,
                                           const Classification& classes) {
    return buildSeries(
        columns, classes, [&](qsizetype r, int c) { return sheet.number(firstRow + int(r), c); },
        [&](qsizetype r, int c) { return sheet.text(firstRow + int(r), c); });
}
