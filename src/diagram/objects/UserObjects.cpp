#include "diagram/objects/UserObjects.h"

#include <QJsonArray>

namespace {

QJsonObject axesJson(const ObjectAxes& a) {
    QJsonArray tables, fields;
    for (size_t i = 0; i < 3; ++i) {
        tables.append(a.tables[i]);
        fields.append(a.fields[i]);
    }
    return {{"source", a.source}, {"tables", tables}, {"fields", fields}};
}

ObjectAxes axesOf(const QJsonObject& o) {
    ObjectAxes a;
    a.source = o["source"].toString(QStringLiteral("XY"));
    for (int i = 0; i < 3; ++i) {
        a.tables[size_t(i)] = o["tables"].toArray().at(i).toString();
        a.fields[size_t(i)] = o["fields"].toArray().at(i).toString();
    }
    return a;
}

QJsonObject headerJson(const ObjectHeader& h) {
    return {{"key", h.libraryKey},      {"case", h.caseName},
            {"subCase", h.subCase},     {"createdBy", h.createdBy},
            {"date", h.date},           {"note", h.note},
            {"allowMove", h.allowMove}, {"triOneTable", h.triOneTable}};
}

ObjectHeader headerOf(const QJsonValue& v) {
    const QJsonObject o = v.toObject();
    return {o["key"].toInt(),          o["case"].toString(),       o["subCase"].toString(),
            o["createdBy"].toString(), o["date"].toString(),       o["note"].toString(),
            o["allowMove"].toString(), o["triOneTable"].toString()};
}

QJsonArray pointJson(QPointF p) {
    return {p.x(), p.y()};
}

QPointF pointOf(const QJsonValue& v) {
    const QJsonArray a = v.toArray();
    return {a.at(0).toDouble(), a.at(1).toDouble()};
}

} // namespace

std::optional<QString> UserObjects::addPoint(RefPoint p) {
    if (points.size() >= maxPoints)
        return tooManyPoints();
    points.push_back(std::move(p));
    return std::nullopt;
}

std::optional<QString> UserObjects::addPolygon(UserPolygon p) {
    if (polygons.size() >= maxPolygons)
        return tooManyPolygons();
    polygons.push_back(std::move(p));
    return std::nullopt;
}

QJsonObject UserObjects::toJson() const {
    QJsonArray ps, pgs, tls, txs;
    for (const RefPoint& p : points)
        ps.append(QJsonObject{{"axes", axesJson(p.axes)},
                              {"name", p.name},
                              {"at", pointJson(p.at)},
                              {"c", p.c},
                              {"header", headerJson(p.header)}});
    for (const UserPolygon& p : polygons) {
        QJsonArray nodes;
        for (const QPointF& n : p.nodes)
            nodes.append(pointJson(n));
        pgs.append(QJsonObject{{"axes", axesJson(p.axes)},
                               {"name", p.name},
                               {"nodes", nodes},
                               {"legend", p.showInLegend},
                               {"header", headerJson(p.header)}});
    }
    for (const Trendline& t : trendlines)
        tls.append(QJsonObject{{"axes", axesJson(t.axes)},
                               {"name", t.name},
                               {"xMin", t.xMin},
                               {"xMax", t.xMax},
                               {"equation", t.equation},
                               {"legend", t.showInLegend},
                               {"header", headerJson(t.header)}});
    for (const TextLabel& t : texts)
        txs.append(QJsonObject{{"text", t.text}, {"at", pointJson(t.at)}});
    return {{"points", ps}, {"polygons", pgs}, {"trendlines", tls}, {"texts", txs}};
}

UserObjects UserObjects::fromJson(const QJsonObject& json) {
    UserObjects u;
    for (const QJsonValue& v : json["points"].toArray()) {
        const QJsonObject o = v.toObject();
        u.addPoint({axesOf(o["axes"].toObject()), o["name"].toString(), pointOf(o["at"]),
                    o["c"].toDouble(), headerOf(o["header"])});
    }
    for (const QJsonValue& v : json["polygons"].toArray()) {
        const QJsonObject o = v.toObject();
        UserPolygon p{axesOf(o["axes"].toObject()),
                      o["name"].toString(),
                      {},
                      o["legend"].toBool(),
                      headerOf(o["header"])};
        for (const QJsonValue& n : o["nodes"].toArray())
            p.nodes.push_back(pointOf(n));
        u.addPolygon(std::move(p));
    }
    for (const QJsonValue& v : json["trendlines"].toArray()) {
        const QJsonObject o = v.toObject();
        u.addTrendline({axesOf(o["axes"].toObject()), o["name"].toString(), o["xMin"].toDouble(),
                        o["xMax"].toDouble(), o["equation"].toString(), o["legend"].toBool(),
                        headerOf(o["header"])});
    }
    for (const QJsonValue& v : json["texts"].toArray()) {
        const QJsonObject o = v.toObject();
        u.texts.push_back({o["text"].toString(), pointOf(o["at"])});
    }
    return u;
}
