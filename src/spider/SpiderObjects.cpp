#include "spider/SpiderObjects.h"

#include "diagram/objects/ObjectErasing.h"
#include "platform/Dialogs.h"
#include "spider/SpiderWindow.h"

SpiderObjects::SpiderObjects(SpiderWindow& window, Dialogs& dialogs)
    : window_(window)
    , dialogs_(dialogs) {
    window_.overlay = [this](Figure& figure) {
        ObjectOverlay::add(figure, objects_, axes(), selectedPolygon_, selectedTrendline_);
    };
}

SpiderObjects::~SpiderObjects() {
    window_.overlay = nullptr;
}

ObjectAxes SpiderObjects::axes() const {
    ObjectAxes a;
    a.source = chartType();
    a.tables = {window_.systemTables().spiderMain, window_.systemTables().spiderNorm, QString()};
    a.fields = {window_.spiderType(), window_.normalization(), QString()};
    return a;
}

bool SpiderObjects::hasFigure() const {
    return window_.hasFigure();
}

bool SpiderObjects::redraw() {
    return window_.redraw();
}

bool SpiderObjects::drawFigureOf(const ObjectAxes& axes) {
    if (axes.source != chartType()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Chart type ") + axes.source +
                                                       QStringLiteral(" not found."));
        return false;
    }
    const auto chosen = [](const QString& name) {
        return !name.isEmpty() && name != QLatin1String("*");
    };
    if (chosen(axes.fields[0]))
        window_.setSpiderType(axes.fields[0]);
    if (chosen(axes.fields[1]) && window_.normalizationSamples().contains(axes.fields[1]))
        window_.setNormalization(axes.fields[1]);
    return window_.draw(); // an unknown type says "Select spidergram type "
}

bool SpiderObjects::select(QPointF at, double reach, const ObjectOverlay::Projection& project) {
    const ObjectOverlay::Picked picked =
        ObjectOverlay::nearest(objects_, axes(), at, reach, project);
    if (picked.polygon == selectedPolygon_ && picked.trendline == selectedTrendline_)
        return false;
    selectedPolygon_ = picked.polygon;
    selectedTrendline_ = picked.trendline;
    return redraw();
}

bool SpiderObjects::erasePolygon() {
    return ObjectErasing::polygon(objects_, selectedPolygon_, dialogs_) && redraw();
}

bool SpiderObjects::eraseTrendline() {
    return ObjectErasing::trendline(objects_, selectedTrendline_, dialogs_) && redraw();
}
