#include "figure/StylePalette.h"

#include "figure/StyleForms.h"

#include <array>
#include <cstddef>
#include <cstdint>

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

SeriesStyle StylePalette::styleForName(const QString& name) {
    // Okabe & Ito, "Color Universal Design": told apart with every common colour-vision defect.
    static constexpr std::array<FigureColor, 8> colors = {{
        {0, 114, 178, 255},   // blue
        {230, 159, 0, 255},   // orange
        {0, 158, 115, 255},   // bluish green
        {213, 94, 0, 255},    // vermillion
        {86, 180, 233, 255},  // sky blue
        {204, 121, 167, 255}, // reddish purple
        {0, 0, 0, 255},       // black
        {240, 228, 66, 255},  // yellow
    }};
    // Forms of StyleForms, so that the style is written and read back as it is: "Dot" (a
    // filled circle), "Box", "Tri", "Diamond", "Inverted Tri", "Star".
    static constexpr std::array<int, 6> forms = {1, 2, 3, 4, 11, 5};
    // FNV-1a over the UTF-8 bytes, then a finaliser that spreads every bit into the low ones:
    // fixed across runs and machines (qHash is seeded per process).
    std::uint32_t h = 2166136261u;
    for (const char byte : name.toUtf8()) {
        h ^= std::uint8_t(byte);
        h *= 16777619u;
    }
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    SeriesStyle style;
    style.color = colors[h % colors.size()];
    style.lineColor = style.color;
    StyleForms::setForm(style, forms[(h / colors.size()) % forms.size()]);
    return style;
}
