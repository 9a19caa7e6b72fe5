#pragma once
// What a graph type does to built series before they are drawn as plain X/Y data: polar and
// radar forms become plane coordinates, a Shewhart chart plots Y against row order with its mean
// and limit lines, a time trend reads X as date and time, cumulative series sum up. Stateless.
#include "figure/OverlayLine.h"
#include "figure/Series.h"
#include "platform/RowSet.h"

#include <vector>

class GraphTransforms {
public:
    // X is the angle in degrees (counter-clockwise from the positive X axis), Y the radius.
    static void polar(Series& series);
    // The points spread evenly round the circle in their order, the first at the top, going
    // clockwise; Y is the radius.
    static void radar(Series& series);
    // A running sum of Y within the series, in point order; the name gets "Cum " in front.
    static void cumulative(Series& series);
    // Each series on top of those before it: a point's Y gets the Y of the earlier series'
    // points at the same X added.
    static void stack(std::vector<Series>& series);
    // X becomes the row's position (1, 2, 3, ... over the whole selection).
    static void rowOrder(Series& series);
    // The mean line "AVG (mean)" and, with limits, "+2S", "-2S", "+3S", "-3S" over xFrom..xTo;
    // none for fewer than two values.
    static std::vector<OverlayLine> shewhartLines(const std::vector<double>& values, double xFrom,
                                                  double xTo, bool limits);
    // The rows with the column's dates and date texts ("2024-05-01 12:30", "2024-05-01")
    // replaced by seconds since 1970-01-01 00:00 UTC; other cells are left as they are.
    static RowSet withTimeColumn(const RowSet& rows, int column);
    // One cell as a time axis reads it: a date or date text as those seconds, any other cell
    // as its number (nullopt when it has none).
    static std::optional<double> timeOf(const CellValue& cell);
};
