#include "diagram/ui/DiagramObjectDragging.h"

#include "diagram/DiagramObjectController.h"
#include "diagram/DiagramWindow.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <qcustomplot.h>

DiagramObjectDragging::DiagramObjectDragging(DiagramObjectController& objects, QCustomPlot& plot,
                                             std::function<void()> shown)
    : QObject(&plot)
    , objects_(objects)
    , plot_(plot)
    , shown_(std::move(shown)) {
    plot_.setFocusPolicy(Qt::StrongFocus); // D and A reach the chart
    plot_.installEventFilter(this);
    const auto data = [this](QMouseEvent* e) {
        return QPointF(plot_.xAxis->pixelToCoord(e->position().x()),
                       plot_.yAxis->pixelToCoord(e->position().y()));
    };
    connect(&plot_, &QCustomPlot::mousePress, this, [this, data](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton && !(e->modifiers() & Qt::ShiftModifier))
            press(data(e));
    });
    connect(&plot_, &QCustomPlot::mouseRelease, this, [this, data](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton)
            release(data(e));
    });
}

bool DiagramObjectDragging::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            const bool down = event->type() == QEvent::KeyPress;
            if (key->key() == Qt::Key_D)
                dHeld_ = down;
            if (key->key() == Qt::Key_A)
                aHeld_ = down;
        }
    }
    return QObject::eventFilter(watched, event);
}

double DiagramObjectDragging::reach() const {
    // Six pixels, in data units.
    return std::abs(plot_.xAxis->pixelToCoord(6) - plot_.xAxis->pixelToCoord(0));
}

void DiagramObjectDragging::press(QPointF at) {
    UserObjects& objects = objects_.objects;
    if (editNodes_ && aHeld_) {
        if (ObjectDrag::addNode(objects, objects_.matchingPolygons(), at))
            shown_();
        return;
    }
    if (editNodes_ && drag_.gripPolygon(objects, objects_.matchingPolygons(), at, reach(), dHeld_))
        return;
    if (moveLines_)
        drag_.gripTrendline(objects, objects_.matchingTrendlines(), at, reach());
}

void DiagramObjectDragging::release(QPointF at) {
    if (drag_.grip() == ObjectDrag::Grip::None)
        return;
    drag_.dragTo(objects_.objects, at);
    drag_.release();
    shown_();
}

void DiagramObjectDragging::toggle(QAction* item, bool& on, const QString& caption) {
    on = !on;
    item->setText(on ? QStringLiteral("End move") : caption);
    drag_.release();
}

void DiagramObjectDragging::addPolygonItem(QMenu& polygon) {
    const QString caption = QStringLiteral("&Move and Edit Nodes");
    QAction* item = polygon.addAction(caption);
    connect(item, &QAction::triggered, this,
            [this, item, caption] { toggle(item, editNodes_, caption); });
}

void DiagramObjectDragging::addTrendlineItem(QMenu& trendline) {
    const QString caption = QStringLiteral("&Move");
    QAction* item = trendline.addAction(caption);
    connect(item, &QAction::triggered, this,
            [this, item, caption] { toggle(item, moveLines_, caption); });
}
