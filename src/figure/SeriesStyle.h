#pragma once
// How one series is drawn: symbol, colour, size and its connecting line. Plain value type.
#include "figure/FigureColor.h"

enum class SymbolShape { None, Circle, Square, Diamond, Triangle, TriangleDown, Cross, Plus, Star };

struct SeriesStyle {
    SymbolShape symbol = SymbolShape::Circle;
    FigureColor color;
    double symbolSize = 6.0; // pixels
    bool filled = true;
    double lineWidth = 1.0; // pixels, for the connecting line
    FigureColor lineColor;

    bool operator==(const SeriesStyle&) const = default;
};
