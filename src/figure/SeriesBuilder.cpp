#include "figure/SeriesBuilder.h"

#include "figure/PlotTable.h"
#include "figure/StylePalette.h"
#include "platform/RowSet.h"
#include "platform/Sheet.h"

#include <algorithm>

namespace {

// One loop for both sources: number(r, column) and text(r, column) read a cell of row r.
template <typename Number, typename Text>
SeriesBuilder::Result buildSeries(const SeriesBuilder::Columns& columns,
                                  const Classification& classes, Number number, Text text) {
    // Rows are read once, in row order, each into its class's series: reading the source
    // sequentially is several times faster than reading it class by class.
    qsizetype rowCount = 0;
    for (const DataClass& dataClass : classes.classes) {
        if (!dataClass.rows.empty()) {
            rowCount = std::max(
                rowCount, *std::max_element(dataClass.rows.begin(), dataClass.rows.end()) + 1);
        }
    }
    std::vector<int> classOf(size_t(rowCount), -1);
    SeriesBuilder::Result result;
    result.series.resize(classes.classes.size());
    for (size_t c = 0; c < classes.classes.size(); ++c) {
        Series& s = result.series[c];
        s.name = classes.classes[c].name;
        s.style = StylePalette::styleFor(int(c));
        s.points.reserve(classes.classes[c].rows.size());
        for (const qsizetype r : classes.classes[c].rows) {
            classOf[size_t(r)] = int(c);
        }
    }
    for (qsizetype r = 0; r < rowCount; ++r) {
        const int c = classOf[size_t(r)];
        if (c < 0) {
            continue;
        }
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
        Series& s = result.series[size_t(c)];
        s.points.push_back(p);
        if (columns.label >= 0) {
            s.labels.push_back(text(r, columns.label));
        }
    }
    // A class none of whose rows could be plotted is no series: it would stand in the legend
    // and in the counts per class with nothing drawn.
    std::erase_if(result.series, [](const Series& s) { return s.points.empty(); });
    return result;
}

} // namespace

SeriesBuilder::Result SeriesBuilder::build(const RowSet& rows, const Columns& columns,
                                           const Classification& classes) {
    return buildSeries(
        columns, classes, [&](qsizetype r, int c) { return rows.at(r, c).toNumber(); },
        [&](qsizetype r, int c) { return rows.at(r, c).toText(); });
}

SeriesBuilder::Result SeriesBuilder::build(const PlotTable& table, const Columns& columns,
                                           const Classification& classes) {
    return buildSeries(
        columns, classes, [&](qsizetype r, int c) { return table.numbers(c).number(r); },
        [&](qsizetype r, int) { return table.labels.at(r); });
}

SeriesBuilder::Result SeriesBuilder::build(const Sheet& sheet, int firstRow, const Columns& columns,
                                           const Classification& classes) {
    return buildSeries(
        columns, classes, [&](qsizetype r, int c) { return sheet.number(firstRow + int(r), c); },
        [&](qsizetype r, int c) { return sheet.text(firstRow + int(r), c); });
}
