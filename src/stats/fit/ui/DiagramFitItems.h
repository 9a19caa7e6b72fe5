#pragma once
// The diagram's fit items under "Trend&Line" -> "&Create": "&Fit Linear" (a straight line
// through the plotted points, made a trendline at once) and "Fit..." (the fit window over the
// diagram's points; its Accept draws on this diagram). `shown` shows the redrawn figure.
#include <QObject>
#include <QPointer>
#include <functional>

class DiagramWindow;
class Dialogs;
class FitView;
class QMenu;
class QWidget;
class Status;

class DiagramFitItems : public QObject {
    Q_OBJECT
public:
    DiagramFitItems(DiagramWindow& window, Dialogs& dialogs, Status& status,
                    std::function<void()> shown, QWidget* view);

    void addTo(QMenu& create);
    bool fitLinear();
    FitView* openFit();

private:
    DiagramWindow& window_;
    Dialogs& dialogs_;
    Status& status_;
    std::function<void()> shown_;
    QWidget* view_;
    QPointer<FitView> fit_;
};
