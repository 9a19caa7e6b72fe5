#pragma once
// Turns fetched rows and their classes into the series of a figure: one series per class, in
// class order, named after the class; each point keeps its row, and points follow row order.
// Rows whose X or Y does not read as a number are left out and counted; a class left without
// points gives no series. Each series' style follows its name (StylePalette::styleForName).
#include "figure/Classification.h"
#include "figure/Series.h"

#include <vector>

class RowSet;
struct PlotTable;
class Sheet;

class SeriesBuilder {
public:
    struct Columns {
        int x = -1;
        int y = -1;
        int z = -1;     // -1: no Z
        int label = -1; // -1: no labels
    };
    struct Result {
        std::vector<Series> series;
        qsizetype nonNumericRowsSkipped = 0;
    };

    // Columns are 0-based; a point's row is the row set's row.
    static Result build(const RowSet& rows, const Columns& columns, const Classification& classes);
    // Columns are PlotTable::Column values (-1 for none); a point's row is the table's row.
    // The classes are taken over and let go class by class: move them in on large draws.
    static Result build(const PlotTable& table, const Columns& columns, Classification classes);
    // ClipData: columns are 1-based, and the classes' rows count from firstRow (row 0 is
    // firstRow), as Classifier::classify(sheet, ...) gives them; a point's row is that offset.
    static Result build(const Sheet& sheet, int firstRow, const Columns& columns,
                        const Classification& classes);
};
