#pragma once
// A diagram view's "Options" menu: the classify option and points per class, the titles, the
// filter line, the legend (shown, corner, order), the Shewhart limit lines, the fills of filled
// series and the bubble size. Every item goes to the view's DiagramWindow; `shown` then shows the
// figure again, and `taken` first copies the view's boxes into the definition.
#include <QObject>
#include <functional>

class DiagramWindow;
class QMenu;
class QMenuBar;
class QWidget;
class WindowGeometry;

class DiagramOptionsMenu : public QObject {
    Q_OBJECT
public:
    DiagramOptionsMenu(DiagramWindow& window, std::function<void()> taken,
                       std::function<void()> shown, QWidget* view);

    void addTo(QMenuBar& bar);
    // Where the legend order dialog keeps its place; none: it is not kept.
    void setWindowGeometry(const WindowGeometry* geometry) { geometry_ = geometry; }

private:
    void addLegendItems(QMenu& options);
    void orderLegend();

    DiagramWindow& window_;
    std::function<void()> taken_;
    std::function<void()> shown_;
    QWidget* view_;
    const WindowGeometry* geometry_ = nullptr;
};
