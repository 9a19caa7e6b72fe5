#pragma once
// Lays a window's user objects over a figure: the trendlines traced between their ends, the
// polygons closed, the reference points and free texts; the selected polygon and trendline in
// red. Also finds the polygon or trendline nearest a Shift+click. Stateless.
#include "diagram/objects/UserObjects.h"
#include "figure/Figure.h"

#include <functional>

class ObjectOverlay {
public:
    // The points of a trendline between its ends, for drawing and for selection.
    static std::vector<QPointF> tracePoints(const Trendline& t);
    // The objects whose axes match `figureAxes`, appended to the figure's lines and texts.
    static void add(Figure& figure, const UserObjects& objects, const ObjectAxes& figureAxes,
                    int selectedPolygon, int selectedTrendline);

    // The shortest distance from a point to a line drawn through `line`; NaN for no line.
    static double distance(const std::vector<QPointF>& line, QPointF at);

    struct Picked {
        int polygon = -1;
        int trendline = -1;
    };
    // The matching polygon or trendline with an edge within `reach` of `at` (the nearest; a
    // trendline wins a tie). Distances are in data units, or where `project` is given (data to
    // pixels, for log axes) in its units, `at` and `reach` among them.
    using Projection = std::function<QPointF(QPointF)>;
    static Picked nearest(const UserObjects& objects, const ObjectAxes& figureAxes, QPointF at,
                          double reach, const Projection& project = {});
};
