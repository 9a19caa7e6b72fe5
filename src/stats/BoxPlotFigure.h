#pragma once
// Draws box classes as a figure: one box per class at X = 1, 2, ... with the class names as X
// labels; the box from the lower to the upper box value, a line at the middle value, whiskers
// to the non-outlier minimum and maximum, outliers and extremes as point sets and min and max
// marks, each part only when it is asked for. The legend names the parts once.
#include "figure/Figure.h"
#include "stats/BoxClass.h"

struct BoxParts {
    bool box = true;
    bool middle = true;
    bool outliers = true;
    bool extremes = true;
    bool minMax = true;
    bool middleIsMedian = true;
};

class BoxPlotFigure {
public:
    static Figure make(const std::vector<BoxClass>& boxes, const BoxParts& parts,
                       const QString& valueTitle, const QString& classTitle);
};
