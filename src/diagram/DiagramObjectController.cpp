#include "diagram/DiagramObjectController.h"

#include "db/SchemaEditor.h"
#include "db/SessionDatabase.h"
#include "diagram/DiagramWindow.h"
#include "diagram/objects/ConvexHull.h"
#include "diagram/objects/ObjectErasing.h"
#include "diagram/objects/ObjectOverlay.h"
#include "diagram/objects/PolygonDiscriminator.h"
#include "diagram/objects/TrendlineDiscriminator.h"
#include "diagram/objects/TrendlineReports.h"
#include "figure/StylePalette.h"
#include "platform/Connection.h"
#include "platform/NumberText.h"
#include "platform/Sheet.h"

#include <QDate>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

using D = DiagramDefinition;

} // namespace

DiagramObjectController::DiagramObjectController(DiagramWindow& window, SessionDatabase& session,
                                                 Dialogs& dialogs)
    : window_(window)
    , session_(session)
    , dialogs_(dialogs) {
    window.objects = this;
    window.setOverlay([this](Figure& f, const DiagramDefinition& d) {
        selection.reset(); // a new draw: "&Select Start" again, nothing selected
        overlay(f, d);
    });
    window.graphFileExtras = [this] { return QJsonObject{{"objects", objects.toJson()}}; };
    window.graphFileExtrasRead = [this](const QJsonObject& extras) {
        objects = UserObjects::fromJson(extras["objects"].toObject());
    };
}

DiagramObjectController::~DiagramObjectController() {
    if (window_.objects == this)
        window_.objects = nullptr;
}

void DiagramObjectController::begin(Mode mode) {
    mode_ = mode;
    clicks_.clear();
}

ObjectAxes DiagramObjectController::currentAxes() const {
    return ObjectAxes::of(window_.definition);
}

std::vector<size_t> DiagramObjectController::matchingTrendlines() const {
    std::vector<size_t> out;
    for (size_t i = 0; i < objects.trendlines.size(); ++i)
        if (objects.trendlines[i].axes.matches(window_.definition))
            out.push_back(i);
    return out;
}

std::vector<size_t> DiagramObjectController::matchingPolygons() const {
    std::vector<size_t> out;
    for (size_t i = 0; i < objects.polygons.size(); ++i)
        if (objects.polygons[i].axes.matches(window_.definition))
            out.push_back(i);
    return out;
}

void DiagramObjectController::overlay(Figure& figure, const DiagramDefinition& d) const {
    ObjectOverlay::add(figure, objects, ObjectAxes::of(d), selectedPolygon_, selectedTrendline_);
    if ((mode_ == Mode::DigitizePolygon || mode_ == Mode::Polyline) && !clicks_.empty()) {
        OverlayLine l;
        l.points = clicks_;
        l.dash = LineDash::Dashed;
        l.countsForScale = false;
        figure.lines.push_back(std::move(l));
    }
}

bool DiagramObjectController::redraw() {
    return window_.hasFigure() && window_.draw();
}

bool DiagramObjectController::click(QPointF at, bool shift, double reach) {
    if (shift) {
        const ObjectOverlay::Picked picked =
            ObjectOverlay::nearest(objects, currentAxes(), at, reach);
        selectedPolygon_ = picked.polygon;
        selectedTrendline_ = picked.trendline;
        return redraw();
    }
    switch (mode_) {
    case Mode::None:
        return false;
    case Mode::DigitizePolygon:
    case Mode::Polyline:
        clicks_.push_back(at);
        return redraw();
    case Mode::LinearTrendline: {
        clicks_.push_back(at);
        if (clicks_.size() < 2)
            return false;
        const QPointF a = clicks_[0], b = clicks_[1];
        Trendline t;
        t.axes = currentAxes();
        t.name = QStringLiteral("Trendline %1").arg(objects.trendlines.size() + 1);
        t.equation = TrendlineEquation::linearThrough(a.x(), a.y(), b.x(), b.y());
        const bool vertical = a.x() == b.x();
        t.xMin = vertical ? std::min(a.y(), b.y()) : std::min(a.x(), b.x());
        t.xMax = vertical ? std::max(a.y(), b.y()) : std::max(a.x(), b.x());
        objects.addTrendline(std::move(t));
        begin(Mode::None);
        return redraw();
    }
    case Mode::RefPoint: {
        begin(Mode::None);
        RefPoint p{currentAxes(), QStringLiteral("P%1").arg(objects.points.size() + 1), at, 0};
        if (const auto refused = objects.addPoint(std::move(p))) {
            dialogs_.message(MessageKind::Exclamation, *refused);
            return false;
        }
        return redraw();
    }
    case Mode::PlaceText:
        objects.texts.push_back({pendingText_, at});
        begin(Mode::None);
        return redraw();
    case Mode::MoveText:
        if (movingText_ >= 0 && size_t(movingText_) < objects.texts.size())
            objects.texts[size_t(movingText_)].at = at;
        begin(Mode::None);
        return redraw();
    case Mode::MoveRefPoint:
        if (movingPoint_ >= 0 && size_t(movingPoint_) < objects.points.size())
            objects.points[size_t(movingPoint_)].at = at;
        begin(Mode::None);
        return redraw();
    }
    return false;
}

bool DiagramObjectController::finishDigitizing() {
    if (mode_ != Mode::DigitizePolygon && mode_ != Mode::Polyline)
        return false;
    std::vector<QPointF> nodes = clicks_;
    const bool polyline = mode_ == Mode::Polyline;
    begin(Mode::None);
    if (polyline) {
        std::sort(nodes.begin(), nodes.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
        const QString equation = TrendlineEquation::polylineThrough(nodes);
        if (!equation.isEmpty())
            objects.addTrendline({currentAxes(),
                                  QStringLiteral("Polyline %1").arg(objects.trendlines.size() + 1),
                                  nodes.front().x(), nodes.back().x(), equation, false});
        return redraw();
    }
    if (nodes.size() < 3)
        return redraw();
    UserPolygon p{currentAxes(), QStringLiteral("Polygon %1").arg(objects.polygons.size() + 1),
                  std::move(nodes), false};
    if (const auto refused = objects.addPolygon(std::move(p)))
        dialogs_.message(MessageKind::Exclamation, *refused);
    return redraw();
}

void DiagramObjectController::plotted(std::vector<QPointF>& at, QStringList& keys) const {
    for (const Series& s : window_.figure().series)
        for (qsizetype i = 0; i < s.pointCount(); ++i) {
            at.emplace_back(s.points[size_t(i)].x, s.points[size_t(i)].y);
            keys << s.label(size_t(i));
        }
}

std::vector<QPointF> DiagramObjectController::pointsToSurround() const {
    if (!selection.isEmpty())
        return selection.points();
    std::vector<QPointF> at;
    QStringList keys;
    plotted(at, keys);
    return at;
}

bool DiagramObjectController::rectangleAroundData() {
    const std::vector<QPointF> at = pointsToSurround();
    if (at.empty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return false;
    }
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (const QPointF& p : at) {
        x0 = std::min(x0, p.x());
        x1 = std::max(x1, p.x());
        y0 = std::min(y0, p.y());
        y1 = std::max(y1, p.y());
    }
    UserPolygon p{currentAxes(),
                  QStringLiteral("Polygon %1").arg(objects.polygons.size() + 1),
                  {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}},
                  false};
    if (const auto refused = objects.addPolygon(std::move(p))) {
        dialogs_.message(MessageKind::Exclamation, *refused);
        return false;
    }
    return redraw();
}

bool DiagramObjectController::autoPolygonAroundData() {
    std::vector<QPointF> hull = ConvexHull::of(pointsToSurround());
    if (hull.size() < 3) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return false;
    }
    if (hull.size() > UserObjects::maxAutoPolygonNodes) {
        dialogs_.message(MessageKind::Information, UserObjects::tooManyAutoPolygonNodes());
        std::vector<QPointF> thinned;
        for (size_t i = 0; i < UserObjects::maxAutoPolygonNodes; ++i)
            thinned.push_back(hull[i * hull.size() / UserObjects::maxAutoPolygonNodes]);
        hull = std::move(thinned);
    }
    UserPolygon p{currentAxes(), QStringLiteral("Polygon %1").arg(objects.polygons.size() + 1),
                  std::move(hull), false};
    if (const auto refused = objects.addPolygon(std::move(p))) {
        dialogs_.message(MessageKind::Exclamation, *refused);
        return false;
    }
    return redraw();
}

bool DiagramObjectController::erasePolygon() {
    return ObjectErasing::polygon(objects, selectedPolygon_, dialogs_) && redraw();
}

bool DiagramObjectController::eraseTrendline() {
    return ObjectErasing::trendline(objects, selectedTrendline_, dialogs_) && redraw();
}

std::optional<size_t> DiagramObjectController::askPointNumber(const QString& question) {
    if (objects.points.empty())
        return std::nullopt;
    const auto answer =
        dialogs_.input(Dialogs::title(), question, QString::number(objects.points.size()));
    bool ok = false;
    const int n = answer ? answer->trimmed().toInt(&ok) : 0;
    if (!ok || n < 1 || size_t(n) > objects.points.size())
        return std::nullopt;
    return size_t(n - 1);
}

bool DiagramObjectController::deleteRefPoint() {
    const auto i = askPointNumber(QStringLiteral("Give the number of the point to be deleted"));
    if (!i)
        return false;
    objects.points.erase(objects.points.begin() + qsizetype(*i));
    return redraw();
}

bool DiagramObjectController::moveRefPoint() {
    const auto i = askPointNumber(QStringLiteral("Give the number of the point to be moved"));
    if (!i)
        return false;
    dialogs_.message(MessageKind::Information,
                     QStringLiteral("Click the new position of point ") + objects.points[*i].name);
    movingPoint_ = int(*i);
    begin(Mode::MoveRefPoint);
    return true;
}

bool DiagramObjectController::addText() {
    const auto text = dialogs_.input(
        Dialogs::title(),
        QStringLiteral("Write text. When ready press OK and click on chart the location for the "
                       "text"),
        QString());
    if (!text || text->isEmpty())
        return false;
    pendingText_ = *text;
    begin(Mode::PlaceText);
    return true;
}

bool DiagramObjectController::removeText() {
    for (size_t i = 0; i < objects.texts.size(); ++i) {
        const Answer a = dialogs_.question(QStringLiteral("You want to remove label ") +
                                               objects.texts[i].text + QStringLiteral(" ?"),
                                           QuestionButtons::YesNoCancel);
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes) {
            objects.texts.erase(objects.texts.begin() + qsizetype(i));
            return redraw();
        }
    }
    return false;
}

bool DiagramObjectController::moveText() {
    for (size_t i = 0; i < objects.texts.size(); ++i) {
        const Answer a = dialogs_.question(QStringLiteral("Do you want to move label ") +
                                               objects.texts[i].text + QStringLiteral(" ?"),
                                           QuestionButtons::YesNoCancel);
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes) {
            dialogs_.message(MessageKind::Information,
                             QStringLiteral("Click the new position of label "));
            movingText_ = int(i);
            begin(Mode::MoveText);
            return true;
        }
    }
    return false;
}

void DiagramObjectController::askPolygonOption() {
    const Answer a = dialogs_.question(
        QStringLiteral("Polygon discirimination setting.\r\nIf sample is on line, then it is "
                       "INSIDE (=yes) (No=outside)"),
        QuestionButtons::YesNoCancel);
    if (a != Answer::Cancel)
        onLineInside = a == Answer::Yes;
}

void DiagramObjectController::askTrendlineOption() {
    const Answer a = dialogs_.question(
        QStringLiteral("Trendline discirimination setting.\r\nExtend the study outside "
                       "trendline min and max (=yes) (No=study only between min and max)"),
        QuestionButtons::YesNoCancel);
    if (a != Answer::Cancel)
        extendTrendlines = a == Answer::Yes;
}

void DiagramObjectController::showGroups(const std::vector<QPointF>& at, const QStringList& keys,
                                         const std::vector<QString>& codes) {
    groups_.clear();
    std::map<QString, Series> byCode;
    const std::vector<Series>& drawn = window_.figure().series;
    size_t i = 0;
    for (const Series& s : drawn)
        for (const FigurePoint& p : s.points) {
            Series& g = byCode[codes[i]];
            g.name = codes[i];
            g.points.push_back(p);
            g.labelTexts.append(keys[qsizetype(i)]);
            groups_.emplace_back(keys[qsizetype(i)], codes[i]);
            ++i;
        }
    Q_UNUSED(at);
    std::vector<Series> series;
    int index = 0;
    for (auto& [code, s] : byCode) {
        s.style = StylePalette::styleFor(index++);
        series.push_back(std::move(s));
    }
    window_.showSeries(std::move(series));
}

bool DiagramObjectController::discriminatePolygons() {
    window_.definition.tables[D::Class].clear();
    window_.definition.fields[D::Class].clear();
    if (!window_.draw())
        return false;
    std::vector<std::vector<QPointF>> polygons;
    for (size_t i : matchingPolygons())
        polygons.push_back(objects.polygons[i].nodes);
    if (polygons.empty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No polygons"));
        return false;
    }
    std::vector<QPointF> at;
    QStringList keys;
    plotted(at, keys);
    showGroups(at, keys, PolygonDiscriminator::codes(at, polygons, onLineInside));
    return true;
}

bool DiagramObjectController::discriminateTrendlines() {
    window_.definition.tables[D::Class].clear();
    window_.definition.fields[D::Class].clear();
    if (!window_.draw())
        return false;
    std::vector<TrendlineDiscriminator::Line> lines;
    for (size_t i : matchingTrendlines()) {
        const Trendline& t = objects.trendlines[i];
        if (const auto eq = TrendlineEquation::parse(t.equation))
            lines.push_back({*eq, t.xMin, t.xMax});
    }
    if (lines.empty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No trendlines"));
        return false;
    }
    std::vector<QPointF> at;
    QStringList keys;
    plotted(at, keys);
    showGroups(at, keys, TrendlineDiscriminator::codes(at, lines, extendTrendlines));
    return true;
}

bool DiagramObjectController::renameGroups() {
    if (groups_.empty())
        return false;
    QStringList codes;
    for (const auto& g : groups_)
        if (g.second && !codes.contains(*g.second))
            codes << *g.second;
    codes.sort();
    std::map<QString, std::optional<QString>> names;
    for (int n = 0; n < codes.size(); ++n) {
        const auto answer =
            dialogs_.input(Dialogs::title() + QStringLiteral(" discriminator"),
                           QStringLiteral("Give name for group ") + QString::number(n + 1) +
                               QStringLiteral(" (Empty for Null value)."),
                           codes[n]);
        if (!answer)
            names[codes[n]] = codes[n];
        else if (answer->isEmpty())
            names[codes[n]] = std::nullopt;
        else
            names[codes[n]] = *answer;
    }
    for (auto& g : groups_)
        if (g.second)
            g.second = names[*g.second];
    std::map<QString, Series> byName;
    std::vector<Series> series;
    for (const Series& s : window_.figure().series) {
        Series renamed = s;
        const auto it = names.find(s.name);
        if (it != names.end())
            renamed.name = it->second.value_or(QStringLiteral("Null"));
        series.push_back(std::move(renamed));
    }
    window_.showSeries(std::move(series));
    return true;
}

bool DiagramObjectController::calculateDelta() {
    const auto matching = matchingTrendlines();
    std::optional<TrendlineEquation> eq;
    for (size_t i : matching)
        if ((eq = TrendlineEquation::parse(objects.trendlines[i].equation)) && !eq->isXOfY())
            break;
    if (!eq || eq->isXOfY()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No trendlines"));
        return false;
    }
    window_.definition.tables[D::Class].clear();
    window_.definition.fields[D::Class].clear();
    if (!window_.draw())
        return false;
    std::vector<QPointF> at;
    QStringList keys;
    plotted(at, keys);
    deltas_.clear();
    Series s;
    s.name = QStringLiteral("Delta ") + objects.trendlines[matching.front()].name;
    const TrendlineDiscriminator::Line line{*eq, 0, 0};
    size_t i = 0;
    for (const Series& drawn : window_.figure().series)
        for (FigurePoint p : drawn.points) {
            const double d = TrendlineDiscriminator::delta(line, at[i]);
            deltas_.emplace_back(keys[qsizetype(i++)], d);
            if (std::isnan(d))
                continue;
            p.y = d;
            s.points.push_back(p);
        }
    s.style = StylePalette::styleFor(0);
    window_.showSeries({std::move(s)});
    return true;
}

std::optional<QString> DiagramObjectController::xAtYZero() {
    return offerReport(TrendlineReports::xAtYZero(objects.trendlines, window_.definition));
}

std::optional<QString> DiagramObjectController::yAtX() {
    if (objects.trendlines.empty())
        return offerReport({});
    const auto answer =
        dialogs_.input(Dialogs::title(), QStringLiteral("Calculating Y at X=?. Give X:"), {});
    const auto x = answer ? NumberText::fromText(answer->trimmed()) : std::nullopt;
    if (!x || std::isnan(*x))
        return std::nullopt;
    return offerReport(TrendlineReports::yAtX(objects.trendlines, window_.definition, *x));
}

std::optional<QString> DiagramObjectController::offerReport(const QString& text) {
    if (text.isEmpty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No trendlines"));
        return std::nullopt;
    }
    if (dialogs_.question(text + QStringLiteral("\r\n\r\nDo you want this text on clipboard?"),
                          QuestionButtons::YesNo) != Answer::Yes)
        return std::nullopt;
    return text;
}

QString DiagramObjectController::storedName(Stored what) {
    switch (what) {
    case Stored::Groups:
        return QStringLiteral("Discr");
    case Stored::Deltas:
        return QStringLiteral("Delta");
    case Stored::Distances:
        break;
    }
    return QStringLiteral("Dista");
}

bool DiagramObjectController::calculateDistances() {
    const auto matching = matchingTrendlines();
    const std::vector<QPointF> line =
        matching.empty() ? std::vector<QPointF>()
                         : ObjectOverlay::tracePoints(objects.trendlines[matching.front()]);
    if (line.empty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No trendlines"));
        return false;
    }
    // The samples as drawn, not a delta series shown in their place.
    if (!window_.draw())
        return false;
    std::vector<QPointF> at;
    QStringList keys;
    plotted(at, keys);
    distances_.clear();
    for (size_t i = 0; i < at.size(); ++i)
        distances_.emplace_back(keys.value(qsizetype(i)), ObjectOverlay::distance(line, at[i]));
    return true;
}

bool DiagramObjectController::prepareToStore(Stored what) {
    switch (what) {
    case Stored::Groups:
        if (groups_.empty()) {
            dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
            return false;
        }
        return true;
    case Stored::Deltas:
        return calculateDelta();
    case Stored::Distances:
        break;
    }
    return calculateDistances();
}

bool DiagramObjectController::store(const QString& table, const QString& fieldChoice,
                                    const QString& newField, bool clearFirst, Stored what,
                                    Sheet* clipData) {
    const bool deltas = what != Stored::Groups;
    const auto& numbers = what == Stored::Distances ? distances_ : deltas_;
    const bool create = fieldChoice == createNewColumn();
    const QString field = create ? newField.trimmed() : fieldChoice;
    if (field.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Give name for the new field!"));
        return false;
    }
    if ((deltas ? numbers.empty() : groups_.empty())) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return false;
    }
    if (!clipData)
        clipData = window_.clipDataSheet();
    if (table == DiagramWindow::clipDataTable()) {
        if (!clipData)
            return false;
        clipData->clear();
        clipData->setValue(1, 1, CellValue::text(QStringLiteral("SampleNo")));
        clipData->setValue(1, 2, CellValue::text(field));
        int row = 2;
        if (deltas)
            for (const auto& [key, d] : numbers) {
                clipData->setValue(row, 1, CellValue::text(key));
                clipData->setValue(row++, 2,
                                   std::isnan(d) ? CellValue::null() : CellValue::number(d));
            }
        else
            for (const auto& [key, g] : groups_) {
                clipData->setValue(row, 1, CellValue::text(key));
                clipData->setValue(row++, 2, g ? CellValue::text(*g) : CellValue::null());
            }
        return true;
    }
    Connection* db = session_.connection();
    if (!db)
        return false;
    if (clearFirst &&
        dialogs_.question(QStringLiteral("Delete values, which already exist in field ") + field +
                              QStringLiteral(" of table ") + table + QStringLiteral("?"),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    if (create) {
        SchemaEditor editor(*db, session_.catalogue(), dialogs_);
        const bool added = deltas ? editor.AddField(table, field, QStringLiteral("DOUBLE"), {})
                                  : editor.AddTextField(table, field, 50);
        if (!added) {
            dialogs_.message(MessageKind::Critical, editor.lastError());
            return false;
        }
    }
    GroupStore::Target target{
        table, field, session_.catalogue().keyFields(table).value(0, QStringLiteral("SampleNo")),
        clearFirst};
    const GroupStore::Result r = deltas ? GroupStore::writeDeltas(*db, target, numbers)
                                        : GroupStore::writeGroups(*db, target, groups_);
    if (!r.ok) {
        dialogs_.message(MessageKind::Critical, r.error);
        return false;
    }
    QString done =
        deltas ? GroupStore::numbersWritten(storedName(what)) : GroupStore::groupsWritten(target);
    if (r.missing > 0)
        done += QStringLiteral("\r\n") + QString::number(r.missing) +
                QStringLiteral(" duplicate rows existed, these rows could not be updated!");
    dialogs_.message(MessageKind::Information, done);
    return true;
}
