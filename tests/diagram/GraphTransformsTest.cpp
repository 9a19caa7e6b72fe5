#include "diagram/GraphTransforms.h"
#include "diagram/DiagramReplayLine.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

Series series(std::vector<std::pair<double, double>> xy) {
    Series s;
    s.name = QStringLiteral("Au");
    qsizetype row = 0;
    for (const auto& [x, y] : xy)
        s.points.push_back({x, y, row++});
    return s;
}

void expectNear(const FigurePoint& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-12);
    EXPECT_NEAR(p.y, y, 1e-12);
}

TEST(GraphTransforms, PolarAndRadarBecomePlaneCoordinates) {
    Series polar = series({{0, 2}, {90, 2}, {180, 1}, {-90, 3}});
    GraphTransforms::polar(polar);
    expectNear(polar.points[0], 2, 0);
    expectNear(polar.points[1], 0, 2);
    expectNear(polar.points[2], -1, 0);
    expectNear(polar.points[3], 0, -3);

    // Four points: top, right, bottom, left; X plays no part.
    Series radar = series({{7, 1}, {7, 2}, {7, 3}, {7, 4}});
    GraphTransforms::radar(radar);
    expectNear(radar.points[0], 0, 1);
    expectNear(radar.points[1], 2, 0);
    expectNear(radar.points[2], 0, -3);
    expectNear(radar.points[3], -4, 0);
}

TEST(GraphTransforms, CumulativeSumsWithinTheSeriesAndShewhartUsesRowOrder) {
    Series s = series({{5, 1}, {3, 2.5}, {9, -0.5}});
    GraphTransforms::cumulative(s);
    EXPECT_EQ(s.name, QStringLiteral("Cum Au"));
    EXPECT_EQ(s.points[0].y, 1);
    EXPECT_EQ(s.points[1].y, 3.5);
    EXPECT_EQ(s.points[2].y, 3);
    GraphTransforms::rowOrder(s);
    EXPECT_EQ(s.points[2].x, 3);
}

TEST(GraphTransforms, StackingPutsEachSeriesOnThoseBeforeItAtTheSameX) {
    std::vector<Series> sets{series({{1, 2}, {2, 3}}), series({{1, 10}, {3, 5}}),
                             series({{1, 100}, {2, 1}, {3, 0.5}})};
    GraphTransforms::stack(sets);
    expectNear(sets[0].points[1], 2, 3);   // the first set stays
    expectNear(sets[1].points[0], 1, 12);  // 10 on 2
    expectNear(sets[1].points[1], 3, 5);   // nothing below at X=3
    expectNear(sets[2].points[0], 1, 112); // 100 on 10 on 2
    expectNear(sets[2].points[1], 2, 4);
    expectNear(sets[2].points[2], 3, 5.5);
}

TEST(GraphTransforms, ShewhartLinesAtTheMeanAndTwoAndThreeDeviations) {
    // Mean 3, sample standard deviation sqrt(2.5).
    const auto lines = GraphTransforms::shewhartLines({1, 2, 3, 4, 5}, 1, 5, true);
    ASSERT_EQ(lines.size(), 5u);
    const double s = std::sqrt(2.5);
    const std::vector<std::pair<const char*, double>> expected{{"AVG (3)", 3},
                                                               {"+2S", 3 + 2 * s},
                                                               {"-2S", 3 - 2 * s},
                                                               {"+3S", 3 + 3 * s},
                                                               {"-3S", 3 - 3 * s}};
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].name, QString::fromLatin1(expected[i].first));
        ASSERT_EQ(lines[i].points.size(), 2u);
        EXPECT_NEAR(lines[i].points[0].y(), expected[i].second, 1e-12);
        EXPECT_EQ(lines[i].points[1].x(), 5);
    }
    EXPECT_EQ(GraphTransforms::shewhartLines({1, 2, 3}, 1, 3, false).size(), 1u);
    EXPECT_TRUE(GraphTransforms::shewhartLines({4}, 1, 1, true).empty());
}

TEST(GraphTransforms, TimeTrendReadsDatesAndDateTexts) {
    RowSet rows(QStringList{"When", "Au"});
    rows.appendRow({CellValue::text(QStringLiteral("1970-01-02 00:00")), CellValue::number(1)});
    rows.appendRow({CellValue::text(QStringLiteral("1970-01-01")), CellValue::number(2)});
    rows.appendRow({CellValue::date(QDate(1970, 1, 1)), CellValue::number(3)});
    rows.appendRow({CellValue::text(QStringLiteral("yesterday")), CellValue::number(4)});
    const RowSet t = GraphTransforms::withTimeColumn(rows, 0);
    EXPECT_EQ(t.at(0, 0), CellValue::number(86400));
    EXPECT_EQ(t.at(1, 0), CellValue::number(0));
    EXPECT_EQ(t.at(2, 0), CellValue::number(0));
    EXPECT_EQ(t.at(3, 0), CellValue::text(QStringLiteral("yesterday")));
}

TEST(DiagramReplayLine, KeepsEveryFieldInOrderEvenWhenEmpty) {
    DiagramDefinition d;
    d.graphType = QStringLiteral("Bubble");
    d.tables = {"Major", "Major", "Trace", ""};
    d.fields = {"SiO2", "MgO", "Cu", ""};
    EXPECT_EQ(DiagramReplayLine::compose(d),
              QStringLiteral("DRAW2 Bubble;Major;SiO2;Major;MgO;Trace;Cu;;;"));
    d.filter = QStringLiteral("Basalts");
    const auto back = DiagramReplayLine::parse(DiagramReplayLine::compose(d));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->tables, d.tables);
    EXPECT_EQ(back->fields, d.fields);
    EXPECT_EQ(back->filter, QStringLiteral("Basalts"));
    EXPECT_TRUE(back->filterOn);
    // A short line leaves the missing fields empty; other verbs are not replay lines.
    const auto shortLine = DiagramReplayLine::parse(QStringLiteral("draw2 XY;A;x;A;y"));
    ASSERT_TRUE(shortLine);
    EXPECT_TRUE(shortLine->fields[DiagramDefinition::Class].isEmpty());
    EXPECT_FALSE(shortLine->filterOn);
    EXPECT_FALSE(DiagramReplayLine::parse(QStringLiteral("DRAW2X XY;A;x;A;y")));
    EXPECT_FALSE(DiagramReplayLine::parse(QStringLiteral("DRAW")));
}

TEST(DiagramDefinition, TernaryRelabelsTheAxisBoxes) {
    DiagramDefinition d;
    EXPECT_EQ(d.axisCaptions(), (QStringList{"X", "Y", "Z"}));
    d.graphType = QStringLiteral("Ternary");
    EXPECT_EQ(d.axisCaptions(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(DiagramDefinition::graphTypes().size(), 11);
    EXPECT_EQ(DiagramDefinition::graphTypes().front(), QStringLiteral("XY"));
}

} // namespace
