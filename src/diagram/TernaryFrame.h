#pragma once
// The frame of a ternary figure: the triangle (0,0)-(50,100)-(100,0) as a black line, the
// corner labels "TRI_a", "TRI_b", "TRI_c" (the field names, or "A", "B", "C" for an empty
// box), grid lines every 10 units parallel to the sides in the "&Grid" style, the Cartesian
// axes hidden and the X:Y ratio fixed at 2 / sqrt(3). Stateless.
#include "figure/AxisScaleState.h"
#include "figure/Figure.h"

#include <array>

class TernaryFrame {
public:
    static QString triangleName() { return QStringLiteral("Triangle"); }
    static QString gridName() { return QStringLiteral("Ternary grid"); }

    // Lays the frame over the figure in place of any frame it had; fieldNames: A, B, C.
    static void apply(Figure& figure, const std::array<QString, 3>& fieldNames);
    // Takes a frame away again and shows the axes (the figure is no longer ternary).
    static void remove(Figure& figure);
    // "&Ratio Is Fixed" on, at 2 / sqrt(3).
    static void fixRatio(AxisScaleState& state);
    // The grid lines of one style: 9 parallels to each side, at 10, 20, ... 90.
    static std::vector<OverlayLine> gridLines(GridStyle style);
};
