#pragma once
// One plotted point and the row it came from, so that selection and the sample browser can go
// back to the data. 24 bytes: a million points stay small. A point's Z, where a figure has one,
// is kept beside the points by its series. Plain value type.
#include <QtGlobal>

struct FigurePoint {
    static constexpr qsizetype noRow = -1;

    double x = 0.0;
    double y = 0.0;
    qsizetype row = noRow;

    bool operator==(const FigurePoint&) const = default;
};
