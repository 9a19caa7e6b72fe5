#include "figure/StylePalette.h"

#include <array>
#include <cstddef>

SeriesStyle StylePalette::styleFor(int seriesIndex) {
    static constexpr std::array<FigureColor, 16> colors = {{
        {0, 0, 255, 255},
        {255, 0, 0, 255},
        {0, 160, 0, 255},
        {255, 0, 255, 255},
        {0, 170, 200, 255},
        {240, 150, 0, 255},
        {128, 0, 128, 255},
        {128, 128, 0, 255},
        {0, 0, 128, 255},
        {165, 42, 42, 255},
        {0, 100, 0, 255},
        {255, 105, 180, 255},
        {70, 130, 180, 255},
        {210, 105, 30, 255},
        {0, 0, 0, 255},
        {128, 128, 128, 255},
    }};
    static constexpr std::array<SymbolShape, 7> shapes = {
        SymbolShape::Circle, SymbolShape::Square,       SymbolShape::Triangle, SymbolShape::Diamond,
        SymbolShape::Cross,  SymbolShape::TriangleDown, SymbolShape::Plus};
    const int i = seriesIndex < 0 ? 0 : seriesIndex;
    SeriesStyle style;
    style.color = colors[std::size_t(i) % colors.size()];
    style.lineColor = style.color;
    style.symbol = shapes[std::size_t(i) / colors.size() % shapes.size()];
    return style;
}
