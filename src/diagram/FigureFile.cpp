#include "diagram/FigureFile.h"

#include <algorithm>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cmath>

namespace {

const QString formatName = QStringLiteral("QUV graph");

QJsonValue toJson(const FigureColor& c) {
    return QJsonArray{c.red, c.green, c.blue, c.alpha};
}
FigureColor colorOf(const QJsonValue& v) {
    const QJsonArray a = v.toArray();
    auto part = [&](int i, int fallback) { return std::uint8_t(a.at(i).toInt(fallback)); };
    return {part(0, 0), part(1, 0), part(2, 0), part(3, 255)};
}

QJsonObject toJson(const Axis& a) {
    return {{"title", a.title},
            {"titleVisible", a.titleVisible},
            {"visible", a.visible},
            {"logarithmic", a.logarithmic},
            {"reversed", a.reversed},
            {"autoMin", a.autoMin},
            {"autoMax", a.autoMax},
            {"min", a.min},
            {"max", a.max},
            {"grid", int(a.grid)},
            {"labelFrequency", a.labelFrequency},
            {"dateTime", a.dateTime}};
}
Axis axisOf(const QJsonObject& o) {
    Axis a;
    a.title = o["title"].toString();
    a.titleVisible = o["titleVisible"].toBool(true);
    a.visible = o["visible"].toBool(true);
    a.logarithmic = o["logarithmic"].toBool();
    a.reversed = o["reversed"].toBool();
    a.autoMin = o["autoMin"].toBool(true);
    a.autoMax = o["autoMax"].toBool(true);
    a.min = o["min"].toDouble(0);
    a.max = o["max"].toDouble(1);
    a.grid = GridStyle(std::clamp(o["grid"].toInt(), 0, 3));
    a.labelFrequency = std::max(1, o["labelFrequency"].toInt(1));
    a.dateTime = o["dateTime"].toBool();
    return a;
}

QJsonObject toJson(const Series& s) {
    QJsonArray points;
    for (size_t i = 0; i < s.points.size(); ++i) {
        const FigurePoint& p = s.points[i];
        points.append(QJsonArray{p.x, p.y, s.zAt(i), double(p.row)});
    }
    const SeriesStyle& st = s.style;
    return {{"name", s.name},
            {"points", points},
            {"labels", QJsonArray::fromStringList(s.labelList())},
            {"style", QJsonObject{{"symbol", int(st.symbol)},
                                  {"color", toJson(st.color)},
                                  {"symbolSize", st.symbolSize},
                                  {"filled", st.filled},
                                  {"lineWidth", st.lineWidth},
                                  {"lineColor", toJson(st.lineColor)},
                                  {"linePattern", int(st.linePattern)},
                                  {"hidden", st.hidden}}},
            {"connectingLine", s.connectingLine},
            {"showLabels", s.showLabels},
            {"showInLegend", s.showInLegend},
            {"y2", s.valueAxis == AxisId::Y2},
            {"shape", int(s.shape)}};
}
// A row number as the file gives it; one that no table could have (negative, fractional, past
// 2^53 or not a number) is no row, and never reaches an integer conversion out of range.
qsizetype rowOf(const QJsonValue& v) {
    const double row = v.toDouble(-1);
    if (!(row >= 0 && row <= 9007199254740992.0) || row != std::floor(row))
        return FigurePoint::noRow;
    return qsizetype(row);
}

Series seriesOf(const QJsonObject& o) {
    Series s;
    s.name = o["name"].toString();
    for (const QJsonValue& v : o["points"].toArray()) {
        const QJsonArray p = v.toArray();
        s.points.push_back({p.at(0).toDouble(), p.at(1).toDouble(), rowOf(p.at(3))});
        s.z.push_back(p.at(2).toDouble());
    }
    if (std::all_of(s.z.begin(), s.z.end(), [](double z) { return z == 0.0; }))
        s.z.clear(); // a figure without Z keeps none
    for (const QJsonValue& v : o["labels"].toArray())
        s.labelTexts << v.toString();
    if (!s.labelTexts.isEmpty() && s.labelTexts.size() != s.pointCount())
        s.labelTexts.clear(); // labels are one per point or none
    const QJsonObject st = o["style"].toObject();
    s.style.symbol =
        SymbolShape(std::clamp(st["symbol"].toInt(1), 0, int(SymbolShape::HorizontalLine)));
    s.style.color = colorOf(st["color"]);
    s.style.symbolSize = st["symbolSize"].toDouble(6);
    s.style.filled = st["filled"].toBool(true);
    s.style.lineWidth = st["lineWidth"].toDouble(1);
    s.style.lineColor = colorOf(st["lineColor"]);
    s.style.linePattern =
        LineDash(std::clamp(st["linePattern"].toInt(0), 0, int(LineDash::DashDot)));
    s.style.hidden = st["hidden"].toBool();
    s.connectingLine = o["connectingLine"].toBool();
    s.showLabels = o["showLabels"].toBool();
    s.showInLegend = o["showInLegend"].toBool(true);
    s.valueAxis = o["y2"].toBool() ? AxisId::Y2 : AxisId::Y;
    s.shape = SeriesShape(std::clamp(o["shape"].toInt(0), 0, int(SeriesShape::Bubbles)));
    return s;
}

QJsonArray pointsJson(const std::vector<QPointF>& points) {
    QJsonArray a;
    for (const QPointF& p : points)
        a.append(QJsonArray{p.x(), p.y()});
    return a;
}

QJsonObject toJson(const FigureLook::Area& a) {
    return {{"fill", toJson(a.fill)}, {"border", toJson(a.border)}, {"borderWidth", a.borderWidth}};
}

FigureLook::Area areaOf(const QJsonValue& v) {
    const QJsonObject o = v.toObject();
    FigureLook::Area a;
    if (o.contains(QStringLiteral("fill")))
        a.fill = colorOf(o["fill"]);
    a.border = colorOf(o["border"]);
    a.borderWidth = std::clamp(o["borderWidth"].toInt(), 0, 100);
    return a;
}

QJsonObject toJson(const FigureLook& l) {
    return {{"fontFamily", l.fontFamily},
            {"fontSize", l.fontSize},
            {"bold", l.bold},
            {"italic", l.italic},
            {"chartArea", toJson(l.chartArea)},
            {"plotArea", toJson(l.plotArea)}};
}

FigureLook lookOf(const QJsonObject& o) {
    FigureLook l;
    l.fontFamily = o["fontFamily"].toString();
    l.fontSize = std::clamp(o["fontSize"].toInt(), 0, 400);
    l.bold = o["bold"].toBool();
    l.italic = o["italic"].toBool();
    l.chartArea = areaOf(o["chartArea"]);
    l.plotArea = areaOf(o["plotArea"]);
    return l;
}
} // namespace

QByteArray FigureFile::toJson(const Figure& f, const QJsonObject& extras) {
    QJsonArray series;
    for (const Series& s : f.series)
        series.append(::toJson(s));
    QJsonArray lines;
    for (const OverlayLine& l : f.lines)
        lines.append(QJsonObject{{"name", l.name},
                                 {"points", pointsJson(l.points)},
                                 {"closed", l.closed},
                                 {"color", ::toJson(l.color)},
                                 {"width", l.width},
                                 {"dash", int(l.dash)},
                                 {"showInLegend", l.showInLegend},
                                 {"countsForScale", l.countsForScale}});
    QJsonArray texts;
    for (const OverlayText& t : f.texts)
        texts.append(QJsonObject{{"text", t.text},
                                 {"position", QJsonArray{t.position.x(), t.position.y()}},
                                 {"color", ::toJson(t.color)},
                                 {"pointSize", t.pointSize},
                                 {"name", t.name}});
    QJsonObject root{
        {"format", formatName},
        {"header", f.header},
        {"subtitles", QJsonArray::fromStringList(f.subtitles)},
        {"series", series},
        {"lines", lines},
        {"texts", texts},
        {"x", ::toJson(f.x)},
        {"y", ::toJson(f.y)},
        {"y2", ::toJson(f.y2)},
        {"y2Visible", f.y2Visible},
        {"legend",
         QJsonObject{{"visible", f.legend.visible}, {"position", int(f.legend.position)}}},
        {"look", ::toJson(f.look)},
    };
    if (!extras.isEmpty())
        root.insert(QStringLiteral("extras"), extras);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<Figure> FigureFile::fromJson(const QByteArray& json, QJsonObject* extras) {
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    const QJsonObject root = doc.object();
    if (!doc.isObject() || root["format"].toString() != formatName)
        return std::nullopt;
    Figure f;
    f.header = root["header"].toString();
    for (const QJsonValue& v : root["subtitles"].toArray())
        f.subtitles << v.toString();
    for (const QJsonValue& v : root["series"].toArray())
        f.series.push_back(seriesOf(v.toObject()));
    for (const QJsonValue& v : root["lines"].toArray()) {
        const QJsonObject o = v.toObject();
        OverlayLine l;
        l.name = o["name"].toString();
        for (const QJsonValue& p : o["points"].toArray())
            l.points.emplace_back(p.toArray().at(0).toDouble(), p.toArray().at(1).toDouble());
        l.closed = o["closed"].toBool();
        l.color = colorOf(o["color"]);
        l.width = o["width"].toDouble(1);
        l.dash = LineDash(std::clamp(o["dash"].toInt(), 0, int(LineDash::DashDot)));
        l.showInLegend = o["showInLegend"].toBool();
        l.countsForScale = o["countsForScale"].toBool(true);
        f.lines.push_back(std::move(l));
    }
    for (const QJsonValue& v : root["texts"].toArray()) {
        const QJsonObject o = v.toObject();
        const QJsonArray pos = o["position"].toArray();
        f.texts.push_back({o["text"].toString(),
                           QPointF(pos.at(0).toDouble(), pos.at(1).toDouble()),
                           colorOf(o["color"]),
                           o["pointSize"].toDouble(9),
                           o["name"].toString(),
                           {}});
    }
    f.x = axisOf(root["x"].toObject());
    f.y = axisOf(root["y"].toObject());
    f.y2 = axisOf(root["y2"].toObject());
    f.y2Visible = root["y2Visible"].toBool();
    const QJsonObject legend = root["legend"].toObject();
    f.legend.visible = legend["visible"].toBool(true);
    f.legend.position = LegendPosition(std::clamp(legend["position"].toInt(2), 0, 3));
    f.look = lookOf(root["look"].toObject()); // older files have none: the default look
    if (extras)
        *extras = root["extras"].toObject();
    return f;
}

bool FigureFile::save(const QString& path, const Figure& figure, const QJsonObject& extras) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(toJson(figure, extras));
    return file.commit();
}

std::optional<Figure> FigureFile::load(const QString& path, QJsonObject* extras) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromJson(file.readAll(), extras);
}
