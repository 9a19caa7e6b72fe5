#pragma once
// A line laid over the data: a Shewhart limit, a trendline, a polygon outline. Its points are
// in data coordinates and are joined in order; a closed line joins the last point to the first.
#include "figure/FigureColor.h"
#include "figure/LineDash.h"

#include <QPointF>
#include <QString>
#include <vector>

// What a line stands for, so that a style library can give it the style of its name.
enum class OverlayKind { Other, Trendline, Polygon };

struct OverlayLine {
    QString name;
    std::vector<QPointF> points;
    bool closed = false;
    FigureColor color;
    double width = 1.0;
    LineDash dash = LineDash::Solid;
    bool showInLegend = false;
    bool countsForScale = true; // whether automatic ranges make room for it
    OverlayKind kind = OverlayKind::Other;
};
