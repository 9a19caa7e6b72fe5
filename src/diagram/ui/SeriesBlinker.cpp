#include "diagram/ui/SeriesBlinker.h"

#include <QTimer>
#include <qcustomplot.h>

SeriesBlinker::SeriesBlinker(QCustomPlot& plot)
    : QObject(&plot)
    , plot_(plot)
    , timer_(new QTimer(this)) {
    timer_->setInterval(400);
    connect(timer_, &QTimer::timeout, this, &SeriesBlinker::tick);
    connect(&plot, &QCustomPlot::plottableClick, this,
            [this](QCPAbstractPlottable* p, int, QMouseEvent*) { follow(p->name()); });
    connect(&plot, &QCustomPlot::legendClick, this,
            [this](QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent*) {
                if (auto* entry = qobject_cast<QCPPlottableLegendItem*>(item))
                    follow(entry->plottable()->name());
            });
}

void SeriesBlinker::setOn(bool on) {
    on_ = on;
    if (!on) {
        timer_->stop();
        showAll();
    } else if (!name_.isEmpty()) {
        timer_->start();
    }
}

void SeriesBlinker::follow(const QString& seriesName) {
    showAll();
    name_ = seriesName;
    if (on_ && !name_.isEmpty())
        timer_->start();
}

void SeriesBlinker::tick() {
    for (int i = 0; i < plot_.plottableCount(); ++i)
        if (QCPAbstractPlottable* p = plot_.plottable(i); p->name() == name_)
            p->setVisible(!p->visible());
    plot_.replot(QCustomPlot::rpQueuedReplot);
}

void SeriesBlinker::showAll() {
    for (int i = 0; i < plot_.plottableCount(); ++i)
        plot_.plottable(i)->setVisible(true);
    plot_.replot(QCustomPlot::rpQueuedReplot);
}
