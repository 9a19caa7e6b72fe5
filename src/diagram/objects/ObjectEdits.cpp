#include "diagram/objects/ObjectEdits.h"

#include "diagram/DiagramObjectController.h"
#include "diagram/DiagramWindow.h"
#include "diagram/objects/PolygonSmoother.h"
#include "platform/NumberText.h"

ObjectEdits::ObjectEdits(DiagramObjectController& objects, DiagramWindow& window, Dialogs& dialogs)
    : objects_(objects)
    , window_(window)
    , dialogs_(dialogs) {}

bool ObjectEdits::redraw() {
    return !window_.hasFigure() || window_.draw();
}

bool ObjectEdits::hint(bool polygon) {
    dialogs_.message(MessageKind::Information,
                     QStringLiteral("Select the ") +
                         (polygon ? QStringLiteral("polygon") : QStringLiteral("trendline")) +
                         QStringLiteral(" first by pressing Shift + clicking mouse Left Button."));
    return false;
}

bool ObjectEdits::smooth() {
    int index = objects_.selectedPolygon();
    if (index < 0) {
        const auto matching = objects_.matchingPolygons();
        if (matching.empty())
            return hint(true);
        index = int(matching.back());
        const QString name = objects_.objects.polygons[size_t(index)].name;
        if (dialogs_.question(QStringLiteral("No polygons selected. Would you like to smooth "
                                             "polygon ") +
                                  name +
                                  QStringLiteral("\r\nTo smooth some other polyline select it "
                                                 "by Shift+left mouse button."),
                              QuestionButtons::YesNo) != Answer::Yes)
            return false;
    }
    auto& nodes = objects_.objects.polygons[size_t(index)].nodes;
    nodes = PolygonSmoother::smoothed(nodes);
    return redraw();
}

bool ObjectEdits::toggleLegend(bool polygon) {
    const int index = polygon ? objects_.selectedPolygon() : objects_.selectedTrendline();
    if (index < 0)
        return hint(polygon);
    bool& shown = polygon ? objects_.objects.polygons[size_t(index)].showInLegend
                          : objects_.objects.trendlines[size_t(index)].showInLegend;
    shown = !shown;
    return redraw();
}

std::optional<QString> ObjectEdits::equationToCopy() {
    const int index = objects_.selectedTrendline();
    if (index < 0) {
        hint(false);
        return std::nullopt;
    }
    return objects_.objects.trendlines[size_t(index)].equation;
}

std::optional<QString> ObjectEdits::nodesToCopy() {
    const int index = objects_.selectedPolygon();
    if (index < 0) {
        hint(true);
        return std::nullopt;
    }
    QString text;
    for (const QPointF& p : objects_.objects.polygons[size_t(index)].nodes)
        text += NumberText::toText(p.x()) + QLatin1Char('\t') + NumberText::toText(p.y()) +
                QStringLiteral("\r\n");
    return text;
}
