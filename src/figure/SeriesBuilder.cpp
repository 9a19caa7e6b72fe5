#include "figure/SeriesBuilder.h"

#include "figure/PlotTable.h"
#include "figure/StylePalette.h"
#include "platform/RowSet.h"
#include "platform/Sheet.h"

#include <algorithm>

namespace {

// One loop for every source: number(r, column) and text(r, column) read a cell of row r.
// inRowOrder: rows are read once, in row order, each into its class's series; reading a row
// source (a row set, a sheet) sequentially is several times faster than reading it class by
// class. Columns in arrays read as fast class by class, without a class index per row.
template <typename Number, typename Text>
SeriesBuilder::Result buildSeries(const SeriesBuilder::Columns& columns,
                                  const Classification& classes, Number number, Text text,
                                  bool inRowOrder) {
    SeriesBuilder::Result result;
    result.series.resize(classes.classes.size());
    for (size_t c = 0; c < classes.classes.size(); ++c) {
        Series& s = result.series[c];
        s.name = classes.classes[c].name;
        s.style = StylePalette::styleForName(s.name);
        s.points.reserve(classes.classes[c].rows.size());
        if (columns.label >= 0) {
            s.labels.reserve(qsizetype(classes.classes[c].rows.size()));
        }
    }
    const auto add = [&](qsizetype r, size_t c) {
        const std::optional<double> x = number(r, columns.x);
        const std::optional<double> y = number(r, columns.y);
        if (!x || !y) {
            ++result.nonNumericRowsSkipped;
            return;
        }
        FigurePoint p{*x, *y, 0.0, r};
        if (columns.z >= 0) {
            p.z = number(r, columns.z).value_or(0.0);
        }
        Series& s = result.series[c];
        s.points.push_back(p);
        if (columns.label >= 0) {
            s.labels.append(text(r, columns.label));
        }
    };
    if (inRowOrder) {
        qsizetype rowCount = 0;
        for (const DataClass& dataClass : classes.classes) {
            if (!dataClass.rows.empty()) {
                rowCount = std::max(
                    rowCount,
                    qsizetype(*std::max_element(dataClass.rows.begin(), dataClass.rows.end())) + 1);
            }
        }
        std::vector<int> classOf(size_t(rowCount), -1);
        for (size_t c = 0; c < classes.classes.size(); ++c) {
            for (const quint32 r : classes.classes[c].rows) {
                classOf[size_t(r)] = int(c);
            }
        }
        for (qsizetype r = 0; r < rowCount; ++r) {
            if (classOf[size_t(r)] >= 0) {
                add(r, size_t(classOf[size_t(r)]));
            }
        }
    } else {
        for (size_t c = 0; c < classes.classes.size(); ++c) {
            for (const quint32 r : classes.classes[c].rows) {
                add(r, c);
            }
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
        [&](qsizetype r, int c) { return rows.at(r, c).toText(); }, true);
}

SeriesBuilder::Result SeriesBuilder::build(const PlotTable& table, const Columns& columns,
                                           const Classification& classes) {
    // The labels are picked from the table's by each point's row, sharing its texts.
    Columns numbers = columns;
    numbers.label = -1;
    Result result = buildSeries(
        numbers, classes, [&](qsizetype r, int c) { return table.numbers(c).number(r); },
        [](qsizetype, int) { return QString(); }, false);
    if (columns.label >= 0) {
        for (Series& s : result.series) {
            std::vector<quint32> rows;
            rows.reserve(s.points.size());
            for (const FigurePoint& p : s.points)
                rows.push_back(quint32(p.row));
            s.labels = PackedTexts::picked(table.labels, std::move(rows));
        }
    }
    return result;
}

SeriesBuilder::Result SeriesBuilder::build(const Sheet& sheet, int firstRow, const Columns& columns,
                                           const Classification& classes) {
    return buildSeries(
        columns, classes, [&](qsizetype r, int c) { return sheet.number(firstRow + int(r), c); },
        [&](qsizetype r, int c) { return sheet.text(firstRow + int(r), c); }, true);
}
