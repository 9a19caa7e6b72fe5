#include "figure/SeriesBuilder.h"

#include "figure/PlotTable.h"
#include "figure/StylePalette.h"
#include "platform/RowSet.h"
#include "platform/Sheet.h"

#include <algorithm>
#include <type_traits>

namespace {

// One loop for every source: number(r, column) and text(r, column) read a cell of row r.
// inRowOrder: rows are read once, in row order, each into its class's series; reading a row
// source (a row set, a sheet) sequentially is several times faster than reading it class by
// class. Columns in arrays read as fast class by class, without a class index per row.
// Classification given as non-const: each class's rows are let go once its series is built,
// so that the row lists and the points never both stand whole at the peak of a large draw.
template <typename Classes, typename Number, typename Text>
SeriesBuilder::Result buildSeries(const SeriesBuilder::Columns& columns, Classes& classes,
                                  Number number, Text text, bool inRowOrder) {
    SeriesBuilder::Result result;
    result.series.resize(classes.classes.size());
    for (size_t c = 0; c < classes.classes.size(); ++c) {
        Series& s = result.series[c];
        s.name = classes.classes[c].name;
        s.style = StylePalette::styleForName(s.name);
        s.points.reserve(classes.classes[c].rows.size());
        if (columns.z >= 0)
            s.z.reserve(classes.classes[c].rows.size());
        if (columns.label >= 0) {
            s.labelTexts.reserve(qsizetype(classes.classes[c].rows.size()));
        }
    }
    const auto add = [&](qsizetype r, size_t c) {
        const std::optional<double> x = number(r, columns.x);
        const std::optional<double> y = number(r, columns.y);
        if (!x || !y) {
            ++result.nonNumericRowsSkipped;
            return;
        }
        Series& s = result.series[c];
        s.points.push_back({*x, *y, r});
        if (columns.z >= 0)
            s.z.push_back(number(r, columns.z).value_or(0.0));
        if (columns.label >= 0) {
            s.labelTexts.append(text(r, columns.label));
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
            if constexpr (!std::is_const_v<Classes>)
                std::vector<quint32>().swap(classes.classes[c].rows);
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
                                           Classification classes) {
    // The labels are the table's, read by each point's row: shared, not copied or indexed.
    Columns numbers = columns;
    numbers.label = -1;
    Result result = buildSeries(
        numbers, classes, [&](qsizetype r, int c) { return table.numbers(c).number(r); },
        [](qsizetype, int) { return QString(); }, false);
    if (columns.label >= 0) {
        for (Series& s : result.series) {
            s.labelTexts = table.labels;
            s.labelsByRow = true;
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
