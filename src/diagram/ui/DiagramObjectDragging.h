#pragma once
// Dragging user objects on the chart. While "&Move and Edit Nodes" is on (its caption then
// reads "End move") a polygon's node follows the mouse; with the key D held the whole polygon
// is dragged, with the key A a click adds a node. While the trendline "&Move" is on (caption
// "End move"), dragging the line moves it parallel and dragging an end point turns it. The
// figure is drawn again when the button is let go.
#include "diagram/objects/ObjectDrag.h"

#include <QObject>
#include <functional>

class DiagramObjectController;
class QAction;
class QCustomPlot;
class QMenu;

class DiagramObjectDragging : public QObject {
    Q_OBJECT
public:
    DiagramObjectDragging(DiagramObjectController& objects, QCustomPlot& plot,
                          std::function<void()> shown);

    // "&Move and Edit Nodes" into the polygon menu, "&Move" into the trendline menu.
    void addPolygonItem(QMenu& polygon);
    void addTrendlineItem(QMenu& trendline);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void press(QPointF at);
    void release(QPointF at);
    double reach() const;
    void toggle(QAction* item, bool& on, const QString& caption);

    DiagramObjectController& objects_;
    QCustomPlot& plot_;
    std::function<void()> shown_;
    ObjectDrag drag_;
    bool editNodes_ = false;
    bool moveLines_ = false;
    bool dHeld_ = false;
    bool aHeld_ = false;
};
