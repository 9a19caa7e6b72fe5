#pragma once
// The rows a diagram plots, compact enough for millions: X, Y and Z as numbers, the classifier
// interned, the labels packed. Row r of every column that is present is the r-th fetched row;
// an absent column is empty. Filled row by row from any source (a query, the ClipData sheet).
// Plain value type.
#include "figure/InternedColumn.h"
#include "figure/NumberColumn.h"
#include "figure/PackedTexts.h"

struct PlotTable {
    // Column numbers for SeriesBuilder.
    enum Column { X = 0, Y = 1, Z = 2, Label = 3 };

    NumberColumn x, y, z;
    InternedColumn classifier;
    PackedTexts labels;

    qsizetype rowCount() const { return x.rowCount(); }
    const NumberColumn& numbers(int column) const { return column == X ? x : column == Y ? y : z; }
};
