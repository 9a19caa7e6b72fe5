#pragma once
// Default styles of series that no style table or library names. styleFor: by position, sixteen
// distinct colours, each round of colours with the next symbol shape. styleForName: by the
// series' name alone, so that a class keeps its look in every figure, filtered or not; a fixed
// hash of the name picks one of the colour-blind safe Okabe-Ito colours and one of six filled
// symbols (48 looks). Anyone may call it.
#include "figure/SeriesStyle.h"

#include <QString>

class StylePalette {
public:
    static SeriesStyle styleFor(int seriesIndex);
    static SeriesStyle styleForName(const QString& name);
};
