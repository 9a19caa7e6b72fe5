#pragma once
// The automatic range of an axis from its data extent: a linear axis extends to the next
// multiples of a 1-2-5 step that divides the data into about five intervals; a logarithmic one
// to whole decades around its positive values. The ends are first moved out by a margin, so a
// point that falls on a tick is not drawn on the frame with half its symbol cut off (data of one
// sign keep their end at zero but for that margin). An empty axis gets 0..1 (log: 1..10).
// Anyone may call it.
#include "figure/AxisExtent.h"

#include <utility>

class AutoRange {
public:
    // Share of the data span (log: of its decades) kept free at each end: room for a symbol
    // of some 8 pixels in a plot of 300 pixels or more.
    static constexpr double symbolMargin = 0.015;
    // The same where an end is kept near zero (data of one sign): a little more, since it is
    // not rounded out to a tick, for symbols up to some 12 pixels.
    static constexpr double zeroSideMargin = 0.03;

    static std::pair<double, double> linear(const AxisExtent& extent);
    static std::pair<double, double> logarithmic(const AxisExtent& extent);
    static std::pair<double, double> of(const AxisExtent& extent, bool logarithmic) {
        return logarithmic ? AutoRange::logarithmic(extent) : linear(extent);
    }
    // The 1-2-5 step nearest above span / intervals.
    static double niceStep(double span, int intervals = 5);
};
