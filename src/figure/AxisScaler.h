#pragma once
// The scale pass that ends every draw: decides the X, Y and Y2 ranges (automatic unless
// frozen; Y2 always shows the Y range, widened to hold the Y2 data) and, with a fixed X:Y
// ratio, the plot area's size. Ternary figures always show -5..105 on both axes. A pass that
// takes both axes back to automatic (or to the ternary frame) ends any user scale in the state.
#include "figure/AxisScaleState.h"
#include "figure/Figure.h"

#include <QSizeF>
#include <functional>

class AxisScaler {
public:
    // The plot area the chart lays out by itself for the figure as it now is; asked only when
    // the ratio is fixed.
    using PlotAreaMeter = std::function<QSizeF(const Figure&)>;

    static void scale(Figure& figure, AxisScaleState& state, bool ternary,
                      const PlotAreaMeter& meter = {});

    // Automatic ranges: X from its data; Y and Y2 both from the Y data, widened to the Y2 data.
    static void autoScaleX(Figure& figure);
    static void autoScaleY(Figure& figure);

    // The largest plot area inside `available` with width / height = ratio.
    static QSizeF fitRatio(QSizeF available, double ratio);
};
