// Discrimination rules on their own: where a sample lies against a polygon (vertices, vertical
// edges, the closing edge, on-edge with both settings), which side of a trendline ("Y=" and
// "X=" lines, the extension option, a line without a value), the equation forms, and which
// figures an object's axes match.
#include "diagram/objects/ObjectAxes.h"
#include "diagram/objects/ObjectDrag.h"
#include "diagram/objects/PolygonDiscriminator.h"
#include "diagram/objects/PolygonSmoother.h"
#include "diagram/objects/TrendlineDiscriminator.h"
#include "diagram/objects/UserObjects.h"

#include <gtest/gtest.h>

namespace {

using Place = PolygonDiscriminator::Place;

TEST(PolygonDiscriminator, LocatesSamplesAtVerticesEdgesAndInside) {
    const std::vector<QPointF> square{{0, 0}, {0, 10}, {10, 10}, {10, 0}}; // vertical edges
    const std::vector<QPointF> diamond{{5, 0}, {10, 5}, {5, 10}, {0, 5}};
    const std::vector<QPointF> notch{{0, 0}, {4, 6}, {8, 0}, {8, 10}, {0, 10}}; // concave
    struct Case {
        const char* name;
        const std::vector<QPointF>& polygon;
        QPointF p;
        Place expected;
    };
    const Case cases[] = {
        {"inside", square, {5, 5}, Place::Inside},
        {"below a vertex: the ray passes through (5,10) once", diamond, {5, 3}, Place::Inside},
        {"beside the diamond, level with a vertex", diamond, {12, 5}, Place::Outside},
        {"under the diamond's bottom vertex", diamond, {5, -3}, Place::Outside},
        {"on the vertical edge", square, {0, 4}, Place::OnEdge},
        {"on the closing edge (last node to first)", square, {6, 0}, Place::OnEdge},
        {"on a vertex", diamond, {10, 5}, Place::OnEdge},
        {"in line with a vertical edge, above it", square, {10, 12}, Place::Outside},
        {"in the notch", notch, {4, 3}, Place::Outside},
        {"straight above the notch's vertex", notch, {4, 8}, Place::Inside},
        {"not a number", square, {std::nan(""), 5}, Place::Outside},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PolygonDiscriminator::locate(c.polygon, c.p), c.expected) << c.name;

    const std::vector<QPointF> samples{{5, 5}, {0, 4}, {20, 20}};
    const std::vector<std::vector<QPointF>> polygons{square, diamond};
    EXPECT_EQ(PolygonDiscriminator::codes(samples, polygons, true),
              (std::vector<QString>{"II", "IO", "OO"}));
    EXPECT_EQ(PolygonDiscriminator::codes(samples, polygons, false),
              (std::vector<QString>{"II", "OO", "OO"}));
}

TEST(TrendlineDiscriminator, CodesBySideRangeAndLineForm) {
    const auto line = [](const char* equation, double lo, double hi) {
        return TrendlineDiscriminator::Line{*TrendlineEquation::parse(equation), lo, hi};
    };
    struct Case {
        const char* equation;
        QPointF p;
        bool extend;
        QChar expected;
    };
    const Case cases[] = {
        {"Y=2*x+1", {1, 2}, false, u'B'},
        {"Y=2*x+1", {1, 4}, false, u'A'},
        {"Y=2*x+1", {-5, 40}, false, u'O'}, // left of XMin
        {"Y=2*x+1", {-5, 40}, true, u'A'},  // extended
        {"X=3", {1, 5}, false, u'L'},       // vertical: left and right
        {"x = 3", {4, 5}, false, u'R'},
        {"X=3", {4, 50}, false, u'O'},         // beyond the line's Y range
        {"Y=LN(x)", {0, 1}, true, u'O'},       // no value there
        {"y=exp(x)-1", {0, 0.5}, false, u'A'}, // the x of exp is not the variable
        {"X=y^2/8", {1, 4}, false, u'L'},      // X in terms of y: 2 at y = 4
        {"Y=1/(x-1)", {1, 5}, true, u'O'},     // a division by zero is no value
        {"Y=-x^2+10", {2, 7}, false, u'B'},    // spreadsheet order: (-x)^2, so 14 at x = 2
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrendlineDiscriminator::code(line(c.equation, 0, 10), c.p, c.extend), c.expected)
            << c.equation << " at " << c.p.x() << ',' << c.p.y();
    EXPECT_DOUBLE_EQ(TrendlineDiscriminator::delta(line("Y=2*x+1", 0, 10), {2, 9}), 4);
    EXPECT_FALSE(TrendlineEquation::parse("Z=1"));
    EXPECT_FALSE(TrendlineEquation::parse("Y=2*(x"));
    EXPECT_EQ(TrendlineEquation::linearThrough(0, 1, 2, 5), QStringLiteral("Y=2*x+1"));
    EXPECT_EQ(TrendlineEquation::linearThrough(3, 1, 3, 5), QStringLiteral("X=3"));
}

TEST(ObjectDrag, MovesNodesPolygonsAndTrendlinesAsGripped) {
    using Grip = ObjectDrag::Grip;
    struct Case {
        const char* name;
        const char* equation; // a trendline, or nullptr for the square polygon
        bool whole;           // D held
        QPointF from, to;
        Grip grip;
        double at, expected; // the line's value at `at` afterwards (for a polygon: node 2's X)
        double xMin;         // afterwards
    };
    const Case cases[] = {
        {"a node", nullptr, false, {10.1, 9.9}, {12, 12}, Grip::Node, 2, 11.9, 0},
        {"the polygon, from inside", nullptr, true, {5, 5}, {6, 4}, Grip::Polygon, 2, 11, 0},
        {"a straight line, parallel", "Y=2*x+1", false, {5, 11}, {5, 13}, Grip::Line, 5, 13, 0},
        {"its end point: turned", "Y=2*x+1", false, {10, 21}, {10, 11}, Grip::LineEnd, 5, 6, 0},
        {"a curve keeps its form", "Y=x^2", false, {2, 4}, {3, 5}, Grip::Line, 3, 5, 1},
        {"an X= line stays one", "X=3", false, {3, 5}, {4, 6}, Grip::Line, 5, 4, 1},
    };
    for (const Case& c : cases) {
        UserObjects u;
        u.polygons.push_back({{}, QStringLiteral("P"), {{0, 0}, {0, 10}, {10, 10}, {10, 0}}});
        if (c.equation)
            u.addTrendline({{}, QStringLiteral("T"), 0, 10, QString::fromLatin1(c.equation)});
        ObjectDrag drag;
        ASSERT_TRUE(c.equation ? drag.gripTrendline(u, {0}, c.from, 0.5)
                               : drag.gripPolygon(u, {0}, c.from, 0.5, c.whole))
            << c.name;
        EXPECT_EQ(drag.grip(), c.grip) << c.name;
        drag.dragTo(u, c.to);
        if (!c.equation) {
            EXPECT_DOUBLE_EQ(u.polygons[0].nodes[2].x(), c.expected) << c.name;
            continue;
        }
        const Trendline& t = u.trendlines[0];
        const auto eq = TrendlineEquation::parse(t.equation);
        ASSERT_TRUE(eq) << c.name << ": " << t.equation.toStdString();
        EXPECT_EQ(eq->isXOfY(), c.equation[0] == 'X') << c.name;
        EXPECT_NEAR(eq->valueAt(c.at), c.expected, 1e-9)
            << c.name << ": " << t.equation.toStdString();
        EXPECT_DOUBLE_EQ(t.xMin, c.xMin) << c.name;
    }

    // A node put on the nearest edge: here the closing one, from the last node to the first.
    UserObjects u;
    u.polygons.push_back({{}, QStringLiteral("P"), {{0, 0}, {0, 10}, {10, 10}, {10, 0}}});
    ASSERT_TRUE(ObjectDrag::addNode(u, {0}, {5, 0.1}));
    EXPECT_EQ(u.polygons[0].nodes.back(), QPointF(5, 0.1));
    EXPECT_EQ(PolygonSmoother::smoothed(u.polygons[0].nodes).size(), 10u);

    // A polyline's equation joins its nodes piece by piece.
    const auto polyline =
        TrendlineEquation::parse(TrendlineEquation::polylineThrough({{0, 0}, {1, 2}, {3, 2}}));
    ASSERT_TRUE(polyline);
    for (const auto& [x, y] : {std::pair{0.5, 1.0}, {1.0, 2.0}, {2.0, 2.0}, {3.0, 2.0}})
        EXPECT_DOUBLE_EQ(polyline->valueAt(x), y) << x;
    EXPECT_TRUE(TrendlineEquation::polylineThrough({{1, 0}, {1, 2}}).isEmpty());
}

TEST(ObjectAxes, MatchesBySourceAndAxesWithStar) {
    DiagramDefinition d;
    d.tables = {"Rocks", "Rocks", "", ""};
    d.fields = {"SiO2", "MgO", "", ""};
    ObjectAxes star;
    star.tables = {"*", "Rocks", ""};
    star.fields = {"SiO2", "MgO", ""};
    EXPECT_TRUE(star.matches(d));
    d.tables[0] = QStringLiteral("Other");
    EXPECT_TRUE(star.matches(d));
    d.fields[0] = QStringLiteral("TiO2");
    EXPECT_FALSE(star.matches(d)); // the X field must still be the same
    d.fields[0] = QStringLiteral("SiO2");
    d.graphType = QStringLiteral("Ternary");
    EXPECT_FALSE(star.matches(d)); // an XY object is not drawn on a ternary figure
}

TEST(UserObjects, KeepsLimitsAndComesBackFromJson) {
    UserObjects u;
    for (size_t i = 0; i < UserObjects::maxPolygons; ++i)
        EXPECT_FALSE(u.addPolygon({{}, QStringLiteral("P"), {{0, 0}, {1, 0}, {0, 1}}}));
    EXPECT_EQ(u.addPolygon({}), UserObjects::tooManyPolygons());
    for (size_t i = 0; i < UserObjects::maxPoints; ++i)
        EXPECT_FALSE(u.addPoint({}));
    EXPECT_EQ(u.addPoint({}), UserObjects::tooManyPoints());
    // The library key and descriptive fields go with the object into the graph file.
    const ObjectHeader header{7,
                              QStringLiteral("TAS"),
                              QStringLiteral("sub"),
                              QStringLiteral("me"),
                              QStringLiteral("2026"),
                              QStringLiteral("cited"),
                              QStringLiteral("Y"),
                              QStringLiteral("Rocks")};
    u.addTrendline({{}, QStringLiteral("T"), 1, 2, QStringLiteral("Y=x"), true, header});
    u.texts.push_back({QStringLiteral("it's"), {3, 4}});
    const UserObjects back = UserObjects::fromJson(u.toJson());
    EXPECT_EQ(back.toJson(), u.toJson());
    EXPECT_EQ(back.polygons.size(), UserObjects::maxPolygons);
    EXPECT_EQ(back.trendlines.at(0).equation, QStringLiteral("Y=x"));
    EXPECT_EQ(back.trendlines.at(0).header, header);
}

} // namespace
