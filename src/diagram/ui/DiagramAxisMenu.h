#pragma once
// A diagram view's "Axis" menu and its user-scale note: the menu and dialog ranges, the freeze
// and fixed-ratio switches, and per axis the linear/log scale, reversing, grid, title (and for
// X the label frequency). Every item goes to the view's DiagramWindow; `shown` then shows the
// figure again. Check marks are read from the window whenever the menu opens, so they always
// tell the state the window is in.
#include "figure/AxisId.h"

#include <QObject>
#include <functional>
#include <vector>

class DiagramWindow;
class QLabel;
class QMenu;
class QMenuBar;
class QWidget;
class WindowGeometry;

class DiagramAxisMenu : public QObject {
    Q_OBJECT
public:
    DiagramAxisMenu(DiagramWindow& window, std::function<void()> shown, QWidget* view);

    // Adds the "Axis" menu to the view's menu bar.
    void addTo(QMenuBar& bar);
    // "User defined axis scale", "Freezed X scale", ...: empty while the scale is automatic.
    QLabel* note() const { return note_; }
    // Where the scale dialog keeps its place ("AxisMinMax..."); none: it is not kept.
    void setWindowGeometry(const WindowGeometry* geometry) { geometry_ = geometry; }
    // The note and the check marks as the window now is; the view calls it after each showing.
    void refresh();

private:
    void addAxisItems(QMenu& menu, AxisId axis);
    void openScaleDialog();
    void changed();

    DiagramWindow& window_;
    std::function<void()> shown_;
    QWidget* view_;
    QLabel* note_;
    const WindowGeometry* geometry_ = nullptr;
    std::vector<std::function<void()>> marks_; // each sets one check mark from the window
};
