#pragma once
// One box of a box-and-whisker plot: a class's row of the box table and its single points.
// Values the statistics component could not compute are NaN. Plain value type.
#include <QString>
#include <vector>

struct BoxClass {
    QString name;
    double n = 0, extremeLowCount = 0, outlierLowCount = 0, nonOutlierMin = 0, lowerBox = 0,
           middle = 0, upperBox = 0, nonOutlierMax = 0, outlierHighCount = 0, extremeHighCount = 0,
           min = 0, max = 0;
    std::vector<double> extremeLow, outlierLow, outlierHigh, extremeHigh;
};
