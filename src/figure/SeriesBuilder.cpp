#include "figure/SeriesBuilder.h"

#include "figure/StylePalette.h"
#include "platform/RowSet.h"

SeriesBuilder::Result SeriesBuilder::build(const RowSet& rows, const Columns& columns,
                                           const Classification& classes) {
    Result result;
    result.series.reserve(classes.classes.size());
    for (const DataClass& dataClass : classes.classes) {
        Series s;
        s.name = dataClass.name;
        s.style = StylePalette::styleFor(int(result.series.size()));
        s.points.reserve(dataClass.rows.size());
        for (const qsizetype r : dataClass.rows) {
            const std::optional<double> x = rows.at(r, columns.x).toNumber();
            const std::optional<double> y = rows.at(r, columns.y).toNumber();
            if (!x || !y) {
                ++result.nonNumericRowsSkipped;
                continue;
            }
            FigurePoint p{*x, *y, 0.0, r};
            if (columns.z >= 0) {
                p.z = rows.at(r, columns.z).toNumber().value_or(0.0);
            }
            s.points.push_back(p);
            if (columns.label >= 0) {
                s.labels.push_back(rows.at(r, columns.label).toText());
            }
        }
        result.series.push_back(std::move(s));
    }
    return result;
}
