#pragma once
// Which side of each trendline a sample lies on: "B" below and "A" above (on the line counts
// as above) a "Y=" line; "L" left and "R" right (on it: right) of an "X=" line; "O" when the
// line has no value there or, without the extension option, when the sample lies outside the
// line's range (XMin..XMax bound X for a "Y=" line and Y for an "X=" line). Also each
// sample's delta: its Y minus the line's Y at its X. Stateless.
#include "diagram/objects/TrendlineEquation.h"

#include <QPointF>
#include <vector>

class TrendlineDiscriminator {
public:
    struct Line {
        TrendlineEquation equation;
        double xMin, xMax;
    };
    static QChar code(const Line& line, QPointF sample, bool extend);
    // One code per line, in line order, for each sample.
    static std::vector<QString> codes(const std::vector<QPointF>& samples,
                                      const std::vector<Line>& lines, bool extend);
    // NaN where the line has no value at the sample's X (or is an "X=" line).
    static double delta(const Line& line, QPointF sample);
};
