#pragma once
// The "Zoom and Pan" overview beside a diagram: the whole figure, small, with a frame round the
// part the chart shows. A click or a drag centres the chart there, the wheel zooms about the
// place under the pointer (on the chart itself as well), a double click shows the whole figure
// again. The chart shows its part until the next draw.
#include "figure/AxisWindow.h"

#include <QWidget>

class Figure;
class QCPItemRect;
class QCustomPlot;

class ZoomPanOverview : public QWidget {
    Q_OBJECT
public:
    explicit ZoomPanOverview(QWidget* parent = nullptr);

    // The chart shows `figure`, which outlives this overview: the part of the figure framed
    // here when its axes are that part, else a new figure, shown whole (a ternary one within
    // the frame of its data space). Drawn when the overview is visible.
    void follow(const Figure& figure, bool ternary);
    // The part the chart shows, framed.
    void showPart(AxisWindow x, AxisWindow y);

    // What the mouse does, in data coordinates; each says partChosen.
    void centreOn(QPointF at);
    void zoom(double factor, QPointF at);
    // A turn of the wheel at `at`: forward zooms in, back out.
    void wheel(int angleDelta, QPointF at);
    // "Zoom In" / "Zoom Out": a turn of the wheel at the middle of the part.
    void zoomInOrOut(bool in);
    void showAll();

    AxisWindow partX() const { return x_; }
    AxisWindow partY() const { return y_; }
    QCustomPlot& plot() const { return *plot_; }

signals:
    void partChosen(AxisWindow x, AxisWindow y);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool zoomed() const { return !(x_ == wholeX_ && y_ == wholeY_); }
    void render();
    QPointF dataAt(QPointF pixel) const;
    void choose(AxisWindow x, AxisWindow y);

    QCustomPlot* plot_;
    QCPItemRect* frame_ = nullptr;
    const Figure* figure_ = nullptr;
    bool ternary_ = false;
    bool stale_ = false; // followed while hidden
    AxisWindow wholeX_, wholeY_, x_, y_;
    bool xLog_ = false;
    bool yLog_ = false;
};
