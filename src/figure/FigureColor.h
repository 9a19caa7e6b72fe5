#pragma once
// An RGBA colour of the figure model. Core code never sees QColor (that is Qt Gui), so the
// model carries its own four bytes; the renderer converts. Plain value type.
#include <cstdint>

struct FigureColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;

    bool operator==(const FigureColor&) const = default;
};
