#pragma once
// A text laid over the figure at a point in data coordinates.
#include "figure/FigureColor.h"

#include <QPointF>
#include <QString>

struct OverlayText {
    QString text;
    QPointF position;
    FigureColor color;
    double pointSize = 9.0;
};
