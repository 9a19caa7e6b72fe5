#pragma once
// The texts of "Calculate &X at Y=0 " and "Calculate &Y at X=?" for a figure's trendlines:
// "Trendline " + number + name, then "-when " + Y field + "=0 then " + X field + "=" + X0 with
// each line taken as straight (slope and intercept from its values at 0 and 1; "-no intercept"
// for a level line), and for an X field beginning with "MgO" the olivine line " Corresponding
// olivine is " + Fo (first six characters) + " % Fo", Fo = 10190·X0 / (31.54·X0 + 4031).
// Empty text when there are no trendlines. Stateless.
#include "diagram/DiagramDefinition.h"
#include "diagram/objects/UserObjects.h"

class TrendlineReports {
public:
    static QString xAtYZero(const std::vector<Trendline>& lines, const DiagramDefinition& d);
    static QString yAtX(const std::vector<Trendline>& lines, const DiagramDefinition& d, double x);
};
