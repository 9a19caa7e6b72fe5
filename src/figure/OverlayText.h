#pragma once
// A text laid over the figure at a point in data coordinates; a name lets its owner find it
// again (the ternary corner labels are "TRI_a", "TRI_b", "TRI_c").
#include "figure/FigureColor.h"

#include <QPointF>
#include <QString>

struct OverlayText {
    QString text;
    QPointF position;
    FigureColor color;
    double pointSize = 9.0;
    QString name;
    // The reference point it marks, if any: a style library entry may colour it.
    QString referencePoint;
};
