#pragma once
// The chart as data: what the drawing pipeline produces and a renderer shows. A header with
// optional lines below it, series of points, three axes (X, Y and the second Y axis, which
// mirrors Y), a legend and overlay objects. Nothing here knows how it is drawn. Value type;
// the diagram window owns one per drawn figure.
#include "figure/Axis.h"
#include "figure/AxisExtent.h"
#include "figure/AxisId.h"
#include "figure/FigureLook.h"
#include "figure/Legend.h"
#include "figure/OverlayLine.h"
#include "figure/OverlayText.h"
#include "figure/Series.h"

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class Figure {
public:
    QString header;
    QStringList subtitles; // e.g. the filter line "Filter: name (n= 12)"
    std::vector<Series> series;
    std::vector<OverlayLine> lines;
    std::vector<OverlayText> texts;
    Axis x;
    Axis y;
    Axis y2;
    bool y2Visible = false;
    Legend legend;
    // Font, and the fill and border of the chart and plot areas.
    FigureLook look;
    // "Fills": areas of filled series reach down to the series before them (the first down to
    // zero), or each down to zero.
    enum class FillMode { BetweenSeries, ToZero };
    FillMode fillMode = FillMode::BetweenSeries;
    // "Bubble Options...": the diameter in pixels of the figure's largest bubble.
    int bubbleMaxPixels = 30;
    // The width of a bar in X units (categories are one unit apart).
    double barWidth = 0.75;
    // Set by the scale pass when the X:Y ratio is fixed: the plot area's size in pixels.
    std::optional<QSizeF> plotAreaSize;

    // The same axes, legend and plot area without the drawn content (header, series,
    // overlays): what a redraw starts from, so that frozen scales and a fixed ratio hold.
    Figure withoutData() const;
    // The look of a saved figure over this one's data: header, axis titles, switches and fixed
    // ends, legend, and the style of each series of the same name. Points stay as drawn.
    void takeAppearance(const Figure& saved);

    Axis& axis(AxisId id);
    const Axis& axis(AxisId id) const;

    // Values of the series on that axis (X: every series; Y and Y2: the series plotted against
    // it) and of the overlay lines that count for scaling (X and Y only).
    AxisExtent extent(AxisId id) const;
    qsizetype pointCount() const;

    // One line per logarithmic axis that leaves values out, saying how many and why, e.g.
    // "Log Y axis: 3 points with Y <= 0 are not shown".
    QStringList logScaleNotes() const;
};
