#include "diagram/ui/DiagramEditMenus.h"

#include "db/SessionDatabase.h"
#include "diagram/DiagramObjectController.h"
#include "diagram/DiagramWindow.h"
#include "diagram/SelectedSamplesStatement.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <qcustomplot.h>

DiagramEditMenus::DiagramEditMenus(DiagramWindow& window, DiagramObjectController& objects,
                                   SessionDatabase& session, Dialogs& dialogs, QCustomPlot& plot,
                                   Hooks hooks)
    : QObject(&plot)
    , window_(window)
    , objects_(objects)
    , session_(session)
    , dialogs_(dialogs)
    , plot_(plot)
    , hooks_(std::move(hooks))
    , paste_(window, objects, dialogs) {
    connect(&plot_, &QCustomPlot::mousePress, this, [this](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton && objects_.selection.selecting())
            press(e->position());
    });
    connect(&plot_, &QCustomPlot::mouseRelease, this, [this](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton)
            release(e->position());
    });
    connect(&plot_, &QCustomPlot::beforeReplot, this, [this] { mark(); });
}

QPointF DiagramEditMenus::toData(QPointF pixel) const {
    return {plot_.xAxis->pixelToCoord(pixel.x()), plot_.yAxis->pixelToCoord(pixel.y())};
}

void DiagramEditMenus::press(QPointF pixel) {
    pressedAt_ = pixel;
}

void DiagramEditMenus::release(QPointF pixel) {
    if (!pressedAt_ || !objects_.selection.selecting())
        return;
    const QPointF from = *pressedAt_;
    pressedAt_.reset();
    // Moved more than a few pixels: a rectangle; otherwise a click on one point.
    if ((pixel - from).manhattanLength() > 4)
        objects_.selection.selectIn(window_.figure(), QRectF(toData(from), toData(pixel)));
    else
        objects_.selection.selectNear(
            window_.figure(), toData(pixel),
            std::abs(plot_.xAxis->pixelToCoord(6) - plot_.xAxis->pixelToCoord(0)));
    plot_.replot();
}

void DiagramEditMenus::mark() {
    std::vector<QPointF> at = objects_.selection.points();
    if (const auto& found = objects_.selection.found())
        at.push_back(*found);
    if (at.empty()) {
        if (marks_)
            plot_.removeGraph(marks_);
        return;
    }
    if (!marks_) {
        marks_ = plot_.addGraph();
        marks_->setName(QStringLiteral("Selected"));
        marks_->removeFromLegend();
        marks_->setLineStyle(QCPGraph::lsNone);
        marks_->setScatterStyle(
            QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::red, 2), Qt::NoBrush, 12));
    }
    QVector<double> xs, ys;
    for (const QPointF& p : at) {
        xs << p.x();
        ys << p.y();
    }
    marks_->setData(xs, ys);
}

bool DiagramEditMenus::viewSelected() {
    const QStringList keys = objects_.selection.keys();
    if (keys.isEmpty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No samples selected!"));
        return false;
    }
    const QString table = window_.definition.tables[DiagramDefinition::X];
    if (window_.definition.source == DiagramDefinition::Source::ClipData || table.isEmpty() ||
        !session_.connection()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return false;
    }
    const QString key = session_.catalogue().keyFields(table).value(0, QStringLiteral("SampleNo"));
    if (hooks_.openGrid)
        hooks_.openGrid(SelectedSamplesStatement::build(table, key, keys),
                        QStringLiteral("Selected samples"));
    return true;
}

bool DiagramEditMenus::find() {
    const auto label = dialogs_.input(QStringLiteral("Find"),
                                      QStringLiteral("Give the label of the sample to find:"), {});
    if (!label || label->trimmed().isEmpty())
        return false;
    const auto sample = DiagramSelection::find(window_.figure(), *label);
    if (!sample) {
        dialogs_.message(MessageKind::Information, QStringLiteral("Sample ") + label->trimmed() +
                                                       QStringLiteral(" is not in the figure"));
        return false;
    }
    objects_.selection.markFound(sample->at);
    plot_.replot();
    return true;
}

void DiagramEditMenus::addEditItems(QMenu& edit) {
    const auto clipboard = [] { return QGuiApplication::clipboard()->text(); };
    const auto shown = [this](bool changed) {
        if (changed && hooks_.shown)
            hooks_.shown();
    };
    edit.addAction(QStringLiteral("Paste ClipData"), this, [this, clipboard] {
        if (paste_.pasteClipData(clipboard()) && hooks_.clipDataPasted)
            hooks_.clipDataPasted();
    });
    QMenu* special = edit.addMenu(QStringLiteral("Paste Special"));
    special->addAction(QStringLiteral("Values"), this,
                       [=, this] { shown(paste_.pasteValues(clipboard(), false)); });
    special->addAction(QStringLiteral("Transpose As Values"), this,
                       [=, this] { shown(paste_.pasteValues(clipboard(), true)); });
    special->addAction(QStringLiteral("Trendline equation"), this,
                       [=, this] { shown(paste_.pasteTrendline(clipboard())); });
    special->addAction(QStringLiteral("Polygon nodes"), this,
                       [=, this] { shown(paste_.pastePolygon(clipboard())); });
    edit.addAction(QStringLiteral("Find"), QKeySequence::Find, this, [this] { find(); });
    selectStart_ = edit.addAction(DiagramSelection::startCaption(), this, [this] {
        objects_.selection.toggle();
        selectStart_->setText(objects_.selection.menuCaption());
    });
    // A draw ends selecting: the caption follows whenever the menu opens.
    connect(&edit, &QMenu::aboutToShow, this,
            [this] { selectStart_->setText(objects_.selection.menuCaption()); });
    edit.addAction(QStringLiteral("Select &All"), this, [this] {
        objects_.selection.selectAll(window_.figure());
        plot_.replot();
    });
    edit.addAction(QStringLiteral("Select &Clear"), this, [this] {
        objects_.selection.clear();
        plot_.replot();
    });
    edit.addAction(QStringLiteral("View Selected In Table"), this, [this] { viewSelected(); });
}

void DiagramEditMenus::addToolItems(QMenu& tools) {
    QMenu* options = tools.addMenu(QStringLiteral("Discriminate Options"));
    options->addAction(QStringLiteral("&Trendline"), this,
                       [this] { objects_.askTrendlineOption(); });
    options->addAction(QStringLiteral("&Polygon"), this, [this] { objects_.askPolygonOption(); });
}
