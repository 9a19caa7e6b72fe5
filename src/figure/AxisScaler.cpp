#include "figure/AxisScaler.h"

#include "figure/AutoRange.h"

namespace {

void resolveAutomatic(Figure& figure, AxisId id) {
    Axis& axis = figure.axis(id);
    const auto [lo, hi] = AutoRange::of(figure.extent(id), axis.logarithmic);
    if (axis.autoMin) {
        axis.min = lo;
    }
    if (axis.autoMax) {
        axis.max = hi;
    }
}

} // namespace

void AxisScaler::scale(Figure& figure, AxisScaleState& state, bool ternary,
                       const PlotAreaMeter& meter) {
    double yMin = 0;
    double yMax = 0;
    if (ternary || (!state.freezeX && !state.freezeY)) {
        state.userScale = false; // no user range survives this pass
    }
    if (ternary) {
        figure.x.setRange(-5, 105);
        yMin = -5;
        yMax = 105;
    } else {
        if (!state.freezeX) {
            autoScaleX(figure);
        }
        if (state.freezeY) {
            return;
        }
        autoScaleY(figure);
        yMin = figure.y.min;
        yMax = figure.y.max;
    }
    figure.y.setRange(yMin, yMax);
    figure.y2.setRange(yMin, yMax);

    if (state.ratioFixed && state.xPerYRatio > 0 && meter) {
        figure.plotAreaSize.reset();
        figure.plotAreaSize = fitRatio(meter(figure), state.xPerYRatio);
    } else {
        figure.plotAreaSize.reset();
    }
}

void AxisScaler::autoScaleX(Figure& figure) {
    figure.x.setAutomatic();
    resolveAutomatic(figure, AxisId::X);
}

void AxisScaler::autoScaleY(Figure& figure) {
    figure.y.setAutomatic();
    figure.y2.setAutomatic();
    figure.y2.logarithmic = figure.y.logarithmic;
    figure.y2.reversed = figure.y.reversed;
    resolveAutomatic(figure, AxisId::Y);
    double yMin = figure.y.min;
    double yMax = figure.y.max;
    // An empty Y2 axis reports the sentinel ends, which never widen the Y range.
    const AxisExtent y2Data = figure.extent(AxisId::Y2);
    if (!y2Data.isEmpty()) {
        const auto [lo, hi] = AutoRange::of(y2Data, figure.y2.logarithmic);
        yMin = lo < yMin ? lo : yMin;
        yMax = hi > yMax ? hi : yMax;
    }
    figure.y.min = figure.y2.min = yMin;
    figure.y.max = figure.y2.max = yMax;
}

QSizeF AxisScaler::fitRatio(QSizeF available, double ratio) {
    const double w = available.width();
    const double h = available.height();
    if (w <= 0 || h <= 0 || !(ratio > 0)) {
        return available;
    }
    if (w / h <= ratio) {
        return {w, w / ratio};
    }
    return {h * ratio, h};
}
