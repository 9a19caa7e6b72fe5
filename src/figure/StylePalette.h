#pragma once
// The styles series take in order when no style library names them: sixteen distinct colours,
// each round of colours with the next symbol shape. Anyone may call it.
#include "figure/SeriesStyle.h"

class StylePalette {
public:
    static SeriesStyle styleFor(int seriesIndex);
};
