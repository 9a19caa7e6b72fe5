#include "diagram/ui/ZoomPanOverview.h"

#include "figure/Figure.h"
#include "figure/ui/FigurePlot.h"

#include <QVBoxLayout>
#include <qcustomplot.h>

namespace {
// One notch of the wheel shows the part this much narrower or wider.
constexpr double wheelStep = 0.8;
// The ternary plane (0..100 both ways) with a margin: the space the overview spans.
constexpr double ternaryLow = -5;
constexpr double ternaryHigh = 105;
} // namespace

ZoomPanOverview::ZoomPanOverview(QWidget* parent)
    : QWidget(parent)
    , plot_(new QCustomPlot(this)) {
    setMinimumSize(160, 120);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    const auto dataOf = [this](QMouseEvent* e) { return dataAt(e->position()); };
    connect(plot_, &QCustomPlot::mousePress, this, [this, dataOf](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton)
            centreOn(dataOf(e));
    });
    connect(plot_, &QCustomPlot::mouseMove, this, [this, dataOf](QMouseEvent* e) {
        if (e->buttons() & Qt::LeftButton)
            centreOn(dataOf(e));
    });
    connect(plot_, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent*) { showAll(); });
    connect(plot_, &QCustomPlot::mouseWheel, this,
            [this](QWheelEvent* e) { wheel(e->angleDelta().y(), dataAt(e->position())); });
}

void ZoomPanOverview::follow(const Figure& figure, bool ternary) {
    if (zoomed() && AxisWindow::of(figure.x) == x_ && AxisWindow::of(figure.y) == y_ &&
        figure.x.logarithmic == xLog_ && figure.y.logarithmic == yLog_)
        return;
    figure_ = &figure;
    ternary_ = ternary;
    xLog_ = figure.x.logarithmic;
    yLog_ = figure.y.logarithmic;
    x_ = AxisWindow::of(figure.x);
    y_ = AxisWindow::of(figure.y);
    wholeX_ = ternary ? AxisWindow{ternaryLow, ternaryHigh} : x_;
    wholeY_ = ternary ? AxisWindow{ternaryLow, ternaryHigh} : y_;
    stale_ = true;
    if (isVisible())
        render();
}

void ZoomPanOverview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_)
        render();
}

void ZoomPanOverview::render() {
    stale_ = false;
    if (!figure_)
        return;
    // The points and lines alone: no header, legend, texts or titles at this size.
    Figure small = figure_->withoutData();
    small.series = figure_->series;
    small.lines = figure_->lines;
    small.legend.visible = false;
    small.x.titleVisible = small.y.titleVisible = false;
    small.y2Visible = false;
    small.plotAreaSize.reset();
    small.x.setRange(wholeX_.min, wholeX_.max);
    small.y.setRange(wholeY_.min, wholeY_.max);
    FigurePlot::show(small, *plot_, plot_->size());
    for (QCPAxis* axis : plot_->axisRect()->axes())
        axis->setTickLabels(false);
    if (ternary_) {
        auto* space = new QCPItemRect(plot_);
        space->topLeft->setCoords(ternaryLow, ternaryHigh);
        space->bottomRight->setCoords(ternaryHigh, ternaryLow);
        space->setPen(QPen(Qt::gray, 1, Qt::DashLine));
    }
    frame_ = new QCPItemRect(plot_);
    frame_->setPen(QPen(QColor(200, 0, 0), 2));
    frame_->setBrush(QColor(200, 0, 0, 30));
    showPart(x_, y_);
}

void ZoomPanOverview::showPart(AxisWindow x, AxisWindow y) {
    x_ = x;
    y_ = y;
    if (!frame_)
        return;
    frame_->topLeft->setCoords(x.min, y.max);
    frame_->bottomRight->setCoords(x.max, y.min);
    plot_->replot();
}

void ZoomPanOverview::centreOn(QPointF at) {
    choose(x_.centredOn(at.x(), wholeX_, xLog_), y_.centredOn(at.y(), wholeY_, yLog_));
}

void ZoomPanOverview::zoom(double factor, QPointF at) {
    choose(x_.zoomed(factor, at.x(), wholeX_, xLog_), y_.zoomed(factor, at.y(), wholeY_, yLog_));
}

void ZoomPanOverview::wheel(int angleDelta, QPointF at) {
    if (angleDelta != 0)
        zoom(angleDelta > 0 ? wheelStep : 1 / wheelStep, at);
}

void ZoomPanOverview::zoomInOrOut(bool in) {
    wheel(in ? 1 : -1, {x_.middle(xLog_), y_.middle(yLog_)});
}

void ZoomPanOverview::showAll() {
    choose(wholeX_, wholeY_);
}

QPointF ZoomPanOverview::dataAt(QPointF pixel) const {
    return {plot_->xAxis->pixelToCoord(pixel.x()), plot_->yAxis->pixelToCoord(pixel.y())};
}

void ZoomPanOverview::choose(AxisWindow x, AxisWindow y) {
    if (x == x_ && y == y_)
        return;
    showPart(x, y);
    emit partChosen(x, y);
}
