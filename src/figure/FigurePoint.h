#pragma once
// One plotted point and the row it came from, so that selection and the sample browser can go
// back to the data. 32 bytes: a million points stay small. Plain value type.
#include <QtGlobal>

struct FigurePoint {
    static constexpr qsizetype noRow = -1;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0; // bubble size or the third ternary component; 0 when unused
    qsizetype row = noRow;

    bool operator==(const FigurePoint&) const = default;
};
