#pragma once
// How a figure's frame looks beyond its data: the font its texts are written in and the fill
// and border of the chart area (the whole picture) and of the plot area (inside the axes).
// A zero size or width keeps the renderer's own. Plain value type.
#include "figure/FigureColor.h"

#include <QString>

struct FigureLook {
    struct Area {
        FigureColor fill{255, 255, 255};
        FigureColor border{0, 0, 0};
        int borderWidth = 0; // pixels; 0: no border of its own

        bool operator==(const Area&) const = default;
    };

    QString fontFamily; // empty: the renderer's own
    int fontSize = 0;   // points of the axis texts; the header and notes follow it. 0: own sizes
    bool bold = false;
    bool italic = false;
    Area chartArea;
    Area plotArea;

    bool operator==(const FigureLook&) const = default;
};
