#pragma once
// "Copy DataPoints": the plotted points written into a sheet, headed "Row" and the plotted
// field names, one row per point. A drawn figure copies the rows its draw fetched, as they came;
// a figure opened from a graph file fetched nothing, so it copies its own points under its axis
// titles. Stateless; the diagram window calls it.
#include "diagram/DiagramDefinition.h"
#include "figure/Figure.h"
#include "figure/PlotTable.h"

#include <array>
#include <vector>

class Sheet;

class DataPointsCopy {
public:
    // One pass of a draw: its definition, the rows it fetched and how many of the figure's
    // series (in order) it gave.
    struct Pass {
        const DiagramDefinition& definition;
        const PlotTable& table;
        bool hasZ = false;
        bool hasClassifier = false;
        size_t seriesCount = 0;
    };

    static void fromDrawnRows(const std::vector<Pass>& passes, const Figure& figure, Sheet& sheet);
    // The heading of each slot (X, Y, Z, classifier) that was written, empty for one that was
    // not: Z for bubbles, the classifier ("Class", the series names) for more than one series.
    static std::array<QString, 4> fromFigure(const Figure& figure, Sheet& sheet);
};
