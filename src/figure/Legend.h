#pragma once
// The legend's settings: shown or not and in which corner. Its entries are the names of the
// series that show in the legend, in series order (LegendEntries caps them). Plain value type.
enum class LegendPosition { TopLeft, BottomLeft, TopRight, BottomRight };

struct Legend {
    bool visible = true;
    LegendPosition position = LegendPosition::TopRight;
};
