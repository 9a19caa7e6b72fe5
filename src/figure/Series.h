#pragma once
// One series of a figure: a class of samples or a whole selection, with its points (each
// remembering its source row), optional point labels and its style. Plain value type.
#include "figure/AxisId.h"
#include "figure/FigurePoint.h"
#include "figure/PackedTexts.h"
#include "figure/SeriesStyle.h"

#include <QString>
#include <QStringList>
#include <vector>

// How the points are drawn: symbols, bars from zero, bars stacked on the series before, a line
// with the area down to zero filled, or symbols sized by each point's Z (bubbles).
enum class SeriesShape { Points, Bars, StackedBars, Filled, Bubbles };

struct Series {
    QString name;
    std::vector<FigurePoint> points;
    // Either empty or one Z per point: a bubble's size, or a ternary point's third component
    // until the point is placed in the plane. Most figures have none, and points stay small.
    std::vector<double> z;
    // The points' labels (sample keys), read through label(i): none, one per point in point
    // order, or, with labelsByRow, the key column of the table the points came from, shared and
    // read by each point's row, so that a million points hold no label index of their own.
    PackedTexts labelTexts;
    bool labelsByRow = false;
    SeriesStyle style;
    bool connectingLine = false;
    // With a connecting line: a point whose X or Y is NaN ends the line there and the next
    // point starts a new one (spider diagrams draw many samples as one series this way).
    bool gapsBreakLine = false;
    bool showLabels = false;
    bool showInLegend = true;
    AxisId valueAxis = AxisId::Y; // Y or Y2
    SeriesShape shape = SeriesShape::Points;

    qsizetype pointCount() const { return qsizetype(points.size()); }
    double zAt(size_t point) const { return point < z.size() ? z[point] : 0.0; }
    bool hasLabels() const {
        return labelsByRow ? !labelTexts.isEmpty()
                           : labelTexts.size() == pointCount() && !points.empty();
    }
    // Empty when the point has no label.
    QString label(size_t point) const;
    QStringList labelList() const;
};
