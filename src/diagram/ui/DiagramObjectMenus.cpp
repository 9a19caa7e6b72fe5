#include "diagram/ui/DiagramObjectMenus.h"

#include "diagram/DiagramWindow.h"
#include "diagram/ui/DiagramObjectDragging.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/GroupStoreDialog.h"
#include "diagram/ui/ObjectHeaderView.h"
#include "diagram/ui/ObjectLibraryView.h"
#include "stats/fit/ui/DiagramFitItems.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <qcustomplot.h>

DiagramObjectMenus::DiagramObjectMenus(DiagramWindow& window, SessionDatabase& session,
                                       Dialogs& dialogs, Status& status, QCustomPlot& plot,
                                       std::function<void()> shown, QWidget* view)
    : QObject(view)
    , window_(window)
    , dialogs_(dialogs)
    , objects_(window, session, dialogs)
    , figure_(window, objects_, dialogs)
    , edits_(objects_, window, dialogs)
    , dragging_(new DiagramObjectDragging(objects_, plot,
                                          [this, &window] {
                                              if (window.hasFigure() && window.draw())
                                                  shown_();
                                          }))
    , fitItems_(new DiagramFitItems(
          window, dialogs, status, [this] { shown_(); }, view))
    , session_(session)
    , plot_(plot)
    , shown_(std::move(shown))
    , view_(view) {
    connect(&plot_, &QCustomPlot::mousePress, this, [this](QMouseEvent* e) {
        if (e->button() != Qt::LeftButton)
            return;
        const QPointF at(plot_.xAxis->pixelToCoord(e->position().x()),
                         plot_.yAxis->pixelToCoord(e->position().y()));
        // Six pixels, in data units, is near enough to select a line.
        const double reach = std::abs(plot_.xAxis->pixelToCoord(6) - plot_.xAxis->pixelToCoord(0));
        if (objects_.click(at, e->modifiers() & Qt::ShiftModifier, reach))
            shown_();
    });
    objects_.openLibrary = [this] { return openLibrary(LibraryKind::Trendline) != nullptr; };
    objects_.openHeader = [this] { return openHeader(LibraryKind::Trendline) != nullptr; };
    connect(&plot_, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent*) {
        if (objects_.finishDigitizing())
            shown_();
    });
}

void DiagramObjectMenus::copyToClipboard(const std::optional<QString>& text) {
    if (text)
        QGuiApplication::clipboard()->setText(*text);
}

void DiagramObjectMenus::openStore(DiagramObjectController::Stored what, const QString& title) {
    auto* dialog = new GroupStoreDialog(objects_, session_, what, title, view_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

ObjectLibraryView* DiagramObjectMenus::openLibrary(LibraryKind kind) {
    if (library.systemDatabase.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No system database is set"));
        return nullptr;
    }
    auto* view =
        new ObjectLibraryView(new ObjectLibraryBrowser(figure_, dialogs_, window_.status(),
                                                       library.systemDatabase, library.names),
                              library.geometry, view_);
    // "&Draw" may have drawn the figure the objects belong to: the boxes show it as well.
    connect(view, &ObjectLibraryView::drawn, this, [this] {
        if (auto* diagram = qobject_cast<DiagramView*>(view_))
            diagram->showController();
        else
            shown_();
    });
    view->show();
    view->showKind(kind);
    return view;
}

ObjectHeaderView* DiagramObjectMenus::openHeader(LibraryKind kind) {
    auto* view = new ObjectHeaderView(
        new ObjectHeaderEditor(window_, objects_, dialogs_, library.systemDatabase, library.names),
        library.geometry, view_);
    connect(view, &ObjectHeaderView::changed, this, [this] { shown_(); });
    // "Discr", "Delta", "Dista": "Store " + kind + " values to:".
    connect(view, &ObjectHeaderView::storeValues, this,
            [this](DiagramObjectController::Stored what) {
                const bool ready = objects_.prepareToStore(what);
                shown_(); // deltas are drawn, and shown, without the classifier
                if (ready)
                    openStore(what, GroupStoreDialog::valuesTitle(what));
            });
    view->show();
    view->showKind(kind);
    return view;
}

void DiagramObjectMenus::addTo(QMenuBar& bar) {
    DiagramObjectController& o = objects_;
    const auto then = [this](auto action) {
        return [this, action] {
            if (action())
                shown_();
        };
    };
    const auto libraryItems = [this](QMenu* menu, LibraryKind kind) {
        menu->addAction(QStringLiteral("&Library..."), this, [this, kind] { openLibrary(kind); });
        menu->addAction(QStringLiteral("&Header..."), this, [this, kind] { openHeader(kind); });
    };
    QMenu* trend = bar.addMenu(QStringLiteral("Trend&Line"));
    libraryItems(trend, LibraryKind::Trendline);
    QMenu* trendCreate = trend->addMenu(QStringLiteral("&Create"));
    trendCreate->addAction(QStringLiteral("Linear on screen"), this,
                           [&o] { o.startLinearTrendline(); });
    trendCreate->addAction(QStringLiteral("Polyline on screen"), this, [&o] { o.startPolyline(); });
    fitItems_->addTo(*trendCreate);
    trend->addAction(QStringLiteral("Show in Legend"), this,
                     then([this] { return edits_.toggleLegend(false); }));
    trend->addAction(QStringLiteral("Style..."), this, [this, &o] {
        if (openStyle)
            openStyle(StyleGroup::Trendline, std::max(o.selectedTrendline(), 0));
    });
    trend->addAction(QStringLiteral("&Erase"), this, then([&o] { return o.eraseTrendline(); }));
    dragging_->addTrendlineItem(*trend);
    trend->addAction(QStringLiteral("&Copy equation"), this,
                     [this] { copyToClipboard(edits_.equationToCopy()); });
    trend->addAction(QStringLiteral("&Discriminate"), this,
                     then([&o] { return o.discriminateTrendlines(); }));
    trend->addAction(QStringLiteral("Name &Groups..."), this,
                     then([&o] { return o.renameGroups(); }));
    trend->addAction(QStringLiteral("Store &Groups..."), this, [this] {
        openStore(DiagramObjectController::Stored::Groups, GroupStoreDialog::groupsTitle());
    });
    QMenu* delta = trend->addMenu(QStringLiteral("Delta"));
    delta->addAction(QStringLiteral("Calculate"), this, then([&o] { return o.calculateDelta(); }));
    delta->addAction(QStringLiteral("Store"), this, [this] {
        openStore(DiagramObjectController::Stored::Deltas, GroupStoreDialog::groupsTitle());
    });
    trend->addAction(QStringLiteral("Calculate &X at Y=0 "), this,
                     [this] { copyToClipboard(objects_.xAtYZero()); });
    trend->addAction(QStringLiteral("Calculate &Y at X=?"), this,
                     [this] { copyToClipboard(objects_.yAtX()); });

    QMenu* polygon = bar.addMenu(QStringLiteral("&Polygon"));
    libraryItems(polygon, LibraryKind::Polygon);
    QMenu* polyCreate = polygon->addMenu(QStringLiteral("&Create"));
    polyCreate->addAction(QStringLiteral("&Digitize On screen"), this,
                          [&o] { o.startDigitizing(); });
    polyCreate->addAction(QStringLiteral("&Rectangle around datapoints"), this,
                          then([&o] { return o.rectangleAroundData(); }));
    polyCreate->addAction(QStringLiteral("&Autopolygon around datapoints"), this,
                          then([&o] { return o.autoPolygonAroundData(); }));
    polygon->addAction(QStringLiteral("Show in Legend"), this,
                       then([this] { return edits_.toggleLegend(true); }));
    polygon->addAction(QStringLiteral("&Style..."), this, [this, &o] {
        if (openStyle)
            openStyle(StyleGroup::Polygon, std::max(o.selectedPolygon(), 0));
    });
    polygon->addAction(QStringLiteral("&Erase"), this, then([&o] { return o.erasePolygon(); }));
    dragging_->addPolygonItem(*polygon);
    polygon->addAction(QStringLiteral("&Smooth"), this, then([this] { return edits_.smooth(); }));
    polygon->addAction(QStringLiteral("Copy Nodes"), this,
                       [this] { copyToClipboard(edits_.nodesToCopy()); });
    polygon->addAction(QStringLiteral("&Discriminate"), this,
                       then([&o] { return o.discriminatePolygons(); }));
    polygon->addAction(QStringLiteral("Name &Groups..."), this,
                       then([&o] { return o.renameGroups(); }));
    polygon->addAction(QStringLiteral("Store &Groups..."), this, [this] {
        openStore(DiagramObjectController::Stored::Groups, GroupStoreDialog::groupsTitle());
    });

    QMenu* points = bar.addMenu(QStringLiteral("&RefPoint"));
    libraryItems(points, LibraryKind::Point);
    points->addAction(QStringLiteral("&Create"), this, [&o] { o.startRefPoint(); });
    points->addAction(QStringLiteral("&Move"), this, [&o] { o.moveRefPoint(); });
    points->addAction(QStringLiteral("&Delete"), this, then([&o] { return o.deleteRefPoint(); }));

    QMenu* texts = bar.addMenu(QStringLiteral("&Text labels"));
    texts->addAction(QStringLiteral("&Add"), this, [&o] { o.addText(); });
    texts->addAction(QStringLiteral("&Remove"), this, then([&o] { return o.removeText(); }));
    texts->addAction(QStringLiteral("&Move"), this, [&o] { o.moveText(); });

    QMenu* options = bar.addMenu(QStringLiteral("&Discriminate Options"));
    QAction* onTrend =
        options->addAction(QStringLiteral("&Trendline"), this, [&o] { o.askTrendlineOption(); });
    QAction* onPolygon =
        options->addAction(QStringLiteral("&Polygon"), this, [&o] { o.askPolygonOption(); });
    onTrend->setCheckable(true);
    onPolygon->setCheckable(true);
    connect(options, &QMenu::aboutToShow, this, [&o, onTrend, onPolygon] {
        onTrend->setChecked(o.extendTrendlines);
        onPolygon->setChecked(o.onLineInside);
    });
}
