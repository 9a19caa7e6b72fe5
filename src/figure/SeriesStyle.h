#pragma once
// How one series is drawn: symbol, colour, size and its connecting line. Plain value type.
#include "figure/FigureColor.h"
#include "figure/LineDash.h"

// New shapes go at the end: graph files store the number.
enum class SymbolShape {
    None,
    Circle,
    Square,
    Diamond,
    Triangle,
    TriangleDown,
    Cross,
    Plus,
    Star,
    VerticalLine,
    HorizontalLine
};

struct SeriesStyle {
    SymbolShape symbol = SymbolShape::Circle;
    FigureColor color;
    double symbolSize = 6.0; // pixels
    bool filled = true;
    double lineWidth = 1.0; // pixels, for the connecting line
    FigureColor lineColor;
    LineDash linePattern = LineDash::Solid; // of the connecting line, where there is one
    bool hidden = false;                    // the series is not drawn

    bool operator==(const SeriesStyle&) const = default;
};
