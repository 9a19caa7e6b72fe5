#include "spider/SpiderObjects.h"

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
    if (selectedPolygon_ < 0 || size_t(selectedPolygon_) >= objects_.polygons.size()) {
        dialogs_.message(MessageKind::Information, UserObjects::selectPolygonHint());
        return false;
    }
    objects_.polygons.erase(objects_.polygons.begin() + selectedPolygon_);
    selectedPolygon_ = -1;
    return redraw();
}

bool SpiderObjects::eraseTrendline() {
    int index = selectedTrendline_;
    if (index < 0) {
        dialogs_.message(MessageKind::Information, UserObjects::selectTrendlineHint());
        const auto answer =
            dialogs_.input(Dialogs::title(), UserObjects::trendlineNumberQuestion(), QString());
        bool ok = false;
        index = answer ? answer->trimmed().toInt(&ok) - 1 : -1;
        if (!ok)
            return false;
    }
    if (index < 0 || size_t(index) >= objects_.trendlines.size())
        return false;
    objects_.trendlines.erase(objects_.trendlines.begin() + index);
    selectedTrendline_ = -1;
    return redraw();
}
