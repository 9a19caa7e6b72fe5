#pragma once
// A diagram window's object sheets: reference points, polygons with their nodes, trendlines and
// free texts, each object with the axes it belongs on (ObjectAxes). Enforces the limits (20
// points, 20 polygons) with their messages, and goes to and from JSON for graph files. Plain
// value type; the window's object controller owns one.
#include "diagram/objects/ObjectAxes.h"
#include "diagram/objects/ObjectHeader.h"

#include <QJsonObject>
#include <QPointF>
#include <optional>
#include <vector>

struct RefPoint {
    ObjectAxes axes;
    QString name;
    QPointF at;
    double c = 0; // the third component on a ternary figure
    ObjectHeader header = {};
};

struct UserPolygon {
    ObjectAxes axes;
    QString name;
    std::vector<QPointF> nodes; // the closing edge back to the first node is implicit
    bool showInLegend = false;
    ObjectHeader header = {};
};

struct Trendline {
    ObjectAxes axes;
    QString name;
    double xMin = 0;
    double xMax = 0;
    QString equation; // "Y=..." or "X=..."
    bool showInLegend = false;
    ObjectHeader header = {};
};

struct TextLabel {
    QString text;
    QPointF at;
};

class UserObjects {
public:
    static constexpr size_t maxPoints = 20;
    static constexpr size_t maxPolygons = 20;
    static constexpr size_t maxAutoPolygonNodes = 40;
    static QString tooManyPoints() {
        return QStringLiteral("Already max number of points (20) in Figure, remove some");
    }
    static QString tooManyPolygons() {
        return QStringLiteral("Maximum number of polygons exists, remove some");
    }
    static QString tooManyAutoPolygonNodes() {
        return QStringLiteral("Max number of autopolygon points (n=40) reached");
    }

    // What "&Erase" says without a selection.
    static QString selectPolygonHint() {
        return QStringLiteral("To delete a polygon, select it by pressing Shift + clicking mouse "
                              "Left Button. Then select Polygon - Erase");
    }
    static QString selectTrendlineHint() {
        return QStringLiteral("To delete a trendline, select it by pressing Shift + clicking "
                              "mouse Left Button. Then select Trendline - Erase");
    }
    static QString trendlineNumberQuestion() {
        return QStringLiteral("Give the ordinal number of trendline to be deleted");
    }

    std::vector<RefPoint> points;
    std::vector<UserPolygon> polygons;
    std::vector<Trendline> trendlines;
    std::vector<TextLabel> texts;

    // The message of the limit an addition would pass; nullopt when it was added.
    std::optional<QString> addPoint(RefPoint p);
    std::optional<QString> addPolygon(UserPolygon p);
    void addTrendline(Trendline t) { trendlines.push_back(std::move(t)); }

    bool isEmpty() const {
        return points.empty() && polygons.empty() && trendlines.empty() && texts.empty();
    }
    QJsonObject toJson() const;
    static UserObjects fromJson(const QJsonObject& json);
};
