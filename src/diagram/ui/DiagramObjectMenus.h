#pragma once
// A diagram view's user-object menus: "Trend&Line", "&Polygon", "&RefPoint", "&Text labels" and
// "&Discriminate Options" (with the fit items, DiagramFitItems), and the chart's mouse: a click
// goes to the object controller (Shift selects), a double click ends digitising; dragging objects
// (DiagramObjectDragging). Owns the window's DiagramObjectController; `shown` shows the figure
// again after a change.
#include "diagram/DiagramObjectController.h"
#include "diagram/objects/ObjectEdits.h"

#include <QObject>
#include <functional>

class DiagramFitItems;
class DiagramObjectDragging;
class QCustomPlot;
class QMenuBar;
class QWidget;
class Status;

class DiagramObjectMenus : public QObject {
    Q_OBJECT
public:
    DiagramObjectMenus(DiagramWindow& window, SessionDatabase& session, Dialogs& dialogs,
                       Status& status, QCustomPlot& plot, std::function<void()> shown,
                       QWidget* view);

    DiagramObjectController& controller() { return objects_; }
    DiagramFitItems& fitItems() { return *fitItems_; }
    void addTo(QMenuBar& bar);

private:
    void openStore(bool deltas);
    void copyToClipboard(const std::optional<QString>& text);

    DiagramObjectController objects_;
    ObjectEdits edits_;
    DiagramObjectDragging* dragging_;
    DiagramFitItems* fitItems_;
    SessionDatabase& session_;
    QCustomPlot& plot_;
    std::function<void()> shown_;
    QWidget* view_;
};
