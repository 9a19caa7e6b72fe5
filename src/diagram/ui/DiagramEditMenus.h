#pragma once
// The diagram view's selection and paste items: in Edit "Paste ClipData", "Paste Special"
// ("Values", "Transpose As Values", "Trendline equation", "Polygon nodes"), "Find", "&Select
// Start" (then "Select End"), "Select &All", "Select &Clear", "View Selected In Table"; in Tools
// "Discriminate Options". While selecting, a click on the chart takes the nearest point and a
// dragged rectangle every point inside. Selected and found samples are ringed on the chart.
#include "diagram/DiagramPaste.h"

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <functional>
#include <optional>

class DiagramObjectController;
class DiagramWindow;
class Dialogs;
class QAction;
class QCPGraph;
class QCustomPlot;
class QMenu;
class SessionDatabase;

class DiagramEditMenus : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> shown;          // the figure changed: show it again
        std::function<void()> clipDataPasted; // the view draws from ClipData now
        std::function<void(const QString& statement, const QString& caption)> openGrid;
    };
    DiagramEditMenus(DiagramWindow& window, DiagramObjectController& objects,
                     SessionDatabase& session, Dialogs& dialogs, QCustomPlot& plot, Hooks hooks);

    // The Edit items (between "Copy Legend Only" and "Copy DataPoints") and the Tools one.
    void addEditItems(QMenu& edit);
    void addToolItems(QMenu& tools);
    // "View Selected In Table": false (after the message) when nothing is selected or the rows
    // do not come from a database table.
    bool viewSelected();
    // "Find": asks the label; the sample found is ringed.
    bool find();

private:
    void press(QPointF pixel);
    void release(QPointF pixel);
    // Rings the selected and found samples; runs before every replot of the chart.
    void mark();
    QPointF toData(QPointF pixel) const;

    DiagramWindow& window_;
    DiagramObjectController& objects_;
    SessionDatabase& session_;
    Dialogs& dialogs_;
    QCustomPlot& plot_;
    Hooks hooks_;
    DiagramPaste paste_;
    QAction* selectStart_ = nullptr;
    std::optional<QPointF> pressedAt_; // pixels, while selecting
    QPointer<QCPGraph> marks_;
};
