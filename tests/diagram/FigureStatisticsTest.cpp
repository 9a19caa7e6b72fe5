// The diagram's statistics table: all points and each class, per axis.
#include "diagram/FigureStatistics.h"

#include <gtest/gtest.h>

namespace {

Series series(const char* name, std::vector<std::pair<double, double>> xy) {
    Series s;
    s.name = QString::fromLatin1(name);
    for (const auto& [x, y] : xy)
        s.points.push_back({x, y, 0});
    return s;
}

TEST(FigureStatistics, EachAxisOverAllPointsAndPerClass) {
    Figure f;
    f.x.title = QStringLiteral("SiO2");
    f.y.title = QStringLiteral("Zr");
    f.series = {series("Granite", {{70, 100}, {72, 300}, {74, 200}}), series("Basalt", {{50, 80}})};
    const Sheet t = FigureStatistics::table(f);
    EXPECT_EQ(t.toTsv(1, 1, 1, 7), QStringLiteral("Statistic\tSiO2\tSiO2: Granite\tSiO2: "
                                                  "Basalt\tZr\tZr: Granite\tZr: Basalt\r\n"));
    const auto value = [&](const char* statistic, int column) {
        const int row = int(FigureStatistics::statisticNames().indexOf(statistic)) + 2;
        return t.number(row, column);
    };
    struct Case {
        const char* statistic;
        int column;
        std::optional<double> expected;
    } cases[] = {
        {"N", 2, 4},        {"N", 3, 3},
        {"N", 4, 1},        {"AVG", 2, 66.5},
        {"MIN", 3, 70},     {"MAX", 5, 300},
        {"MEDIAN", 6, 200}, {"AVG", 7, 80},
        {"STDEV", 3, 2},    {"STDEV", 4, std::nullopt}, // one value has no spread
        {"PERC_25", 3, 71},
    };
    for (const Case& c : cases)
        EXPECT_EQ(value(c.statistic, c.column), c.expected) << c.statistic << " " << c.column;
    EXPECT_EQ(t.lastRow(), 17);
}

TEST(FigureStatistics, AnEmptyFigureGivesHeadingsAndNoValues) {
    const Sheet t = FigureStatistics::table(Figure{});
    EXPECT_EQ(t.text(1, 2), QStringLiteral("X"));
    EXPECT_EQ(t.text(1, 3), QStringLiteral("Y"));
    EXPECT_EQ(t.number(2, 2), 0.0); // N = 0
    EXPECT_FALSE(t.number(3, 2));   // no AVG
}

} // namespace
