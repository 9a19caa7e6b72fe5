#pragma once
// Puts a Figure on a QCustomPlot: header and note lines above the plot, the three axes (the
// second Y axis follows the first one's range), one plottable per series and overlay line, the
// texts and a legend capped by LegendEntries. Values a logarithmic axis cannot show are left
// out here (Figure::logScaleNotes says so above the plot), so no scale ever sees them.
#include "figure/Figure.h"

#include <QSize>
#include <QSizeF>

class QCustomPlot;

class FigurePlot {
public:
    // Labels beyond this many points are not drawn (a note says so).
    static constexpr qsizetype labelCap = 2000;
    // Scatter series with more points are thinned to one point per pixel (ScatterThinning):
    // the picture is drawn for one size, so a view that resizes or zooms shows it anew.
    static constexpr qsizetype thinningThreshold = 20000;

    // Shows the figure on the plot, in place of what it showed before, laid out for pictures of
    // `size` pixels.
    static void show(const Figure& figure, QCustomPlot& plot, QSize size);
    // The plot area the plot lays out by itself for the figure in a picture of `size`: what the
    // scale pass measures when the X:Y ratio is fixed.
    static QSizeF automaticPlotArea(const Figure& figure, QSize size);
};
