#pragma once
// Dragging a diagram's user objects with the mouse. Polygons, while their nodes are edited: a
// node near the pointer follows it, or (whole) the polygon under the pointer moves with it;
// addNode puts a new node on the nearest edge. Trendlines, while they are moved: an end point
// near the pointer follows it and the line turns about its other end (straight from then on);
// anywhere else on the line the line moves parallel (slope unchanged, a curve keeps its form).
// Each drag works from the object as it was gripped, so the result depends only on where the
// pointer is now. Plain logic on UserObjects; no widgets.
#include "diagram/objects/UserObjects.h"

#include <QPointF>
#include <optional>
#include <vector>

class ObjectDrag {
public:
    enum class Grip { None, Node, Polygon, Line, LineStart, LineEnd };

    // candidates: indexes of the polygons (trendlines) drawn on the figure. reach: how near, in
    // data units, the pointer must be. False when nothing is there to grip.
    bool gripPolygon(const UserObjects& objects, const std::vector<size_t>& candidates, QPointF at,
                     double reach, bool whole);
    bool gripTrendline(const UserObjects& objects, const std::vector<size_t>& candidates,
                       QPointF at, double reach);
    Grip grip() const { return grip_; }
    // Moves what is gripped by the pointer's way from the grip to `to`.
    void dragTo(UserObjects& objects, QPointF to) const;
    void release() { grip_ = Grip::None; }

    // A new node at `at` on the nearest edge (the closing one included) of the nearest
    // candidate polygon; false when there is none.
    static bool addNode(UserObjects& objects, const std::vector<size_t>& candidates, QPointF at);
    // The ends of a trendline in figure coordinates: at XMin and XMax (Y for an "X=" line);
    // nullopt when its equation cannot be read or has no value there.
    static std::optional<std::pair<QPointF, QPointF>> ends(const Trendline& t);

private:
    Grip grip_ = Grip::None;
    size_t index_ = 0;
    size_t node_ = 0;
    QPointF from_;
    UserPolygon polygon_; // as gripped
    Trendline line_;
};
