#include "stats/StatisticsComponent.h"
#include "platform/NumberText.h"
#include "stats/ClassOrder.h"
#include "stats/DetectionLimitRule.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

const std::vector<const char*> assays = {"12.1", "15.3", "9.8",  "22.4", "14.7", "13.3",
                                         "48.9", "11.2", "16.8", "10.5", "0.2",  "14.1"};
const std::vector<const char*> weights = {"1", "2", "1", "0.5", "3",    "1",
                                          "1", "2", "1", "1",   "0.25", "1"};

// Column 1 the rock class, column 2 Cu in ppm, column 3 the weight.
StatisticsComponent loaded(const std::vector<const char*>& values = assays) {
    StatisticsComponent c;
    c.SetSize(int(values.size()), 3);
    c.setColumnName(1, QStringLiteral("Rock"));
    c.setColumnName(2, QStringLiteral("Cu"));
    c.setColumnName(3, QStringLiteral("W"));
    for (int r = 1; r <= int(values.size()); ++r) {
        c.setCellText(r, 1, r <= 6 ? QStringLiteral("Granite") : QStringLiteral("Basalt"));
        c.setCellText(r, 2, QString::fromUtf8(values[size_t(r - 1)]));
        c.setCellText(r, 3, QString::fromUtf8(weights[size_t(r - 1) % weights.size()]));
    }
    return c;
}

void expectStatistics(const StatisticsComponent& c,
                      const std::vector<std::pair<const char*, double>>& expected) {
    for (const auto& [name, value] : expected) {
        const double got = c.Statistic(QString::fromUtf8(name));
        if (value == StatisticsComponent::noValue)
            EXPECT_EQ(got, StatisticsComponent::noValue) << name;
        else
            EXPECT_NEAR(got, value, 1e-12 * std::max(1.0, std::abs(value))) << name;
    }
}

// Reference values computed with R 4.2: mean, sum, var, sd, quantile(type = 7), the adjusted
// skewness G1 and excess kurtosis G2, cov.wt.
TEST(StatisticsComponent, MatchesRsDescriptiveStatistics) {
    StatisticsComponent c = loaded();
    ASSERT_TRUE(c.SelectColumn(2, 0));
    expectStatistics(c, {{"N", 12},
                         {"AVG", 15.775},
                         {"average", 15.775},
                         {"SUM", 189.3},
                         {"MIN", 0.2},
                         {"MAX", 48.9},
                         {"VAR", 135.73295454545453},
                         {"stdev", 11.650448684297723},
                         {"CV", 73.853874385405533},
                         {"SKEWNESS", 2.2305839616234664},
                         {"Kurtosis", 6.8074378963342852},
                         {"PERC_0", 0.2},
                         {"PERC_10", 9.870000000000001},
                         {"PERC_25", 11.024999999999999},
                         {"MEDIAN", 13.699999999999999},
                         {"PERC_50", 13.699999999999999},
                         {"PERC_75", 15.675000000000001},
                         {"PERC_90", 21.84},
                         {"PERC_100", 48.9},
                         {"perc_33", 11.766999999999999},
                         {"PERC_101", StatisticsComponent::noValue},
                         {"PERC_x", StatisticsComponent::noValue},
                         {"MODE", StatisticsComponent::noValue}});

    ASSERT_TRUE(c.SelectWeightedColumn(2, 3, 0));
    expectStatistics(c, {{"N", 12},
                         {"AVG", 15.854237288135593},
                         {"VAR", 100.18219922380335},
                         {"SUM", 233.85},
                         {"MEDIAN", 13.7}});
}

TEST(StatisticsComponent, OutliersAndExtremesFollowTheBoxRule) {
    StatisticsComponent c = loaded();
    ASSERT_TRUE(c.SelectColumn(2, 0));
    // Box 11.025 .. 15.675: outliers beyond 4.05 and 22.65, extremes beyond -2.925 and 29.625.
    expectStatistics(c, {{"N_OUTLIERLOW", 1},
                         {"OUTLIERLOW_1", 0.2},
                         {"OUTLIERLOW_2", StatisticsComponent::noValue},
                         {"N_EXTREMELOW", 0},
                         {"N_OUTLIERHIGH", 0},
                         {"N_EXTREMEHIGH", 1},
                         {"EXTREMEHIGH_1", 48.9},
                         {"EXTREMEHIGH_0", StatisticsComponent::noValue},
                         {"NONOUTLIERMIN", 9.8},
                         {"NONOUTLIERMAX", 22.4}});
    // The same points as lists, for callers that take them all.
    const BoxPoints* points = c.SelectedBoxPoints();
    ASSERT_TRUE(points);
    EXPECT_EQ(std::tuple(points->outlierLow, points->extremeLow, points->outlierHigh,
                         points->extremeHigh),
              std::tuple(std::vector{0.2}, std::vector<double>(), std::vector<double>(),
                         std::vector{48.9}));

    c.setOutlierCoefficient(4);
    expectStatistics(c, {{"N_OUTLIERLOW", 0},
                         {"N_OUTLIERHIGH", 1},
                         {"OUTLIERHIGH_1", 48.9},
                         {"N_EXTREMEHIGH", 0},
                         {"NONOUTLIERMIN", 0.2}});

    c.setOutlierCoefficient(1.5);
    c.setLowerBoxPercentile(10);
    c.setUpperBoxPercentile(90);
    // Box 9.87 .. 21.84: outliers beyond -8.085 and 39.795, extremes beyond 57.75.
    expectStatistics(
        c,
        {{"N_OUTLIERLOW", 0}, {"N_OUTLIERHIGH", 1}, {"N_EXTREMEHIGH", 0}, {"NONOUTLIERMAX", 22.4}});
}

TEST(StatisticsComponent, NoSelectionOrNoValuesHaveNoBoxPoints) {
    StatisticsComponent c = loaded();
    EXPECT_FALSE(c.SelectedBoxPoints());
    c.Classify(1);
    ASSERT_TRUE(c.SelectColumn(2, 0));
    EXPECT_TRUE(c.SelectedBoxPoints());
    EXPECT_FALSE(c.SelectColumn(2, c.ClassCount() + 1));
    EXPECT_FALSE(c.SelectedBoxPoints());
}

TEST(StatisticsComponent, ClassesComeInOrderOfFirstAppearance) {
    StatisticsComponent c = loaded();
    c.Classify(1);
    ASSERT_EQ(c.ClassCount(), 2);
    EXPECT_EQ(c.ClassName(1), QStringLiteral("Granite"));
    EXPECT_EQ(c.ClassName(2), QStringLiteral("Basalt"));
    EXPECT_EQ(c.ClassName(3), QString());
    ASSERT_TRUE(c.SelectColumn(2, 2));
    expectStatistics(c, {{"N", 6}, {"MIN", 0.2}, {"MAX", 48.9}, {"SUM", 101.7}});
    ASSERT_TRUE(c.SelectColumn(2, 1));
    expectStatistics(c, {{"N", 6}, {"AVG", 87.6 / 6}});
    // The class column itself holds no numbers.
    ASSERT_TRUE(c.SelectColumn(1, 0));
    expectStatistics(c, {{"N", 0}, {"AVG", StatisticsComponent::noValue}});

    for (const auto& [column, cls] :
         std::vector<std::pair<int, int>>{{0, 1}, {4, 1}, {2, 3}, {2, -1}}) {
        EXPECT_FALSE(c.SelectColumn(column, cls)) << column << "," << cls;
        expectStatistics(
            c, {{"N", StatisticsComponent::noValue}, {"AVG", StatisticsComponent::noValue}});
    }
}

TEST(StatisticsComponent, EmptyAndTinyColumnsGiveNoValueExceptForN) {
    StatisticsComponent empty = loaded({"", "", "n.a."});
    ASSERT_TRUE(empty.SelectColumn(2, 0));
    expectStatistics(empty, {{"N", 0},
                             {"N_OUTLIERLOW", 0},
                             {"AVG", StatisticsComponent::noValue},
                             {"MEDIAN", StatisticsComponent::noValue},
                             {"NONOUTLIERMIN", StatisticsComponent::noValue},
                             {"OUTLIERHIGH_1", StatisticsComponent::noValue},
                             {"SUM", StatisticsComponent::noValue}});
    StatisticsComponent one = loaded({"3.5"});
    ASSERT_TRUE(one.SelectColumn(2, 0));
    expectStatistics(one, {{"N", 1},
                           {"MEDIAN", 3.5},
                           {"VAR", StatisticsComponent::noValue},
                           {"SKEWNESS", StatisticsComponent::noValue},
                           {"NONOUTLIERMAX", 3.5}});
    StatisticsComponent flat = loaded({"2", "2", "2", "2"});
    ASSERT_TRUE(flat.SelectColumn(2, 0));
    expectStatistics(flat, {{"VAR", 0}, {"SKEWNESS", StatisticsComponent::noValue}});
}

TEST(StatisticsComponent, LargeOffsetsKeepTheirSpread) {
    std::vector<std::string> texts;
    for (const char* a : assays)
        texts.push_back(std::to_string(1e9 + std::stod(a)));
    std::vector<const char*> shifted;
    for (const std::string& t : texts)
        shifted.push_back(t.c_str());
    StatisticsComponent c = loaded(shifted);
    ASSERT_TRUE(c.SelectColumn(2, 0));
    EXPECT_NEAR(c.Statistic(QStringLiteral("VAR")), 135.73295454545453, 1e-5);
    EXPECT_NEAR(c.Statistic(QStringLiteral("AVG")), 1e9 + 15.775, 1e-6);
}

TEST(StatisticsComponent, BelowDetectionLimitValuesAreReplacedByTheRule) {
    const struct {
        int dataOption;
        int processOption;
        std::vector<const char*> after;
    } cases[] = {
        {1, 1, {"0.5", "-0.4", "7", "<x", "0.02"}}, {1, 2, {"0.25", "-0.4", "7", "<x", "0.01"}},
        {1, 3, {"0.1", "-0.4", "7", "<x", "0.1"}},  {1, 0, {"", "-0.4", "7", "<x", ""}},
        {2, 2, {"0.25", "0.2", "7", "<x", "0.01"}},
    };
    for (const auto& c : cases) {
        StatisticsComponent s = loaded({"<0.5", "-0.4", "7", "<x", " < 0.02"});
        ASSERT_TRUE(s.SelectColumn(2, 0)); // read as numbers before the rule changes the texts
        DetectionLimitRule rule;
        rule.inDataOption = c.dataOption;
        rule.inProcessOption = c.processOption;
        ASSERT_TRUE(s.ApplyBDLC(2, rule));
        int numbers = 0;
        for (int r = 1; r <= 5; ++r) {
            EXPECT_EQ(s.CellText(r, 2), QString::fromUtf8(c.after[size_t(r - 1)]))
                << c.dataOption << "/" << c.processOption << " row " << r;
            numbers += NumberText::fromText(QString::fromUtf8(c.after[size_t(r - 1)])).has_value();
        }
        // The statistics see the rewritten cells, and a cell written afterwards.
        ASSERT_TRUE(s.SelectColumn(2, 0));
        EXPECT_EQ(s.Statistic(QStringLiteral("N")), numbers);
        s.setCellText(4, 2, QStringLiteral("3"));
        ASSERT_TRUE(s.SelectColumn(2, 0));
        EXPECT_EQ(s.Statistic(QStringLiteral("N")), numbers + 1);
        EXPECT_FALSE(s.ApplyBDLC(9, rule));
    }
}

// Rows streamed in one at a time, numbers kept as numbers: every statistic and every cell text
// as when the same values came as texts.
TEST(StatisticsComponent, StreamedNumbersAnswerAsTheirTexts) {
    StatisticsComponent texts = loaded();
    StatisticsComponent streamed;
    streamed.SetSize(0, 3, true);
    for (int r = 1; r <= int(assays.size()); ++r) {
        ASSERT_EQ(streamed.AppendRow(), r);
        streamed.setCellText(r, 1, texts.CellText(r, 1));
        streamed.setCellNumber(r, 2, std::stod(assays[size_t(r - 1)]));
        streamed.setCellNumber(r, 3, std::stod(weights[size_t(r - 1)]));
    }
    texts.Classify(1);
    streamed.Classify(1);
    ASSERT_EQ(streamed.ClassCount(), 2);
    for (int r = 1; r <= int(assays.size()); ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(streamed.CellText(r, c), texts.CellText(r, c)) << r << "," << c;
    for (int cls = 0; cls <= 2; ++cls)
        for (bool weighted : {false, true}) {
            ASSERT_TRUE(weighted ? streamed.SelectWeightedColumn(2, 3, cls)
                                 : streamed.SelectColumn(2, cls));
            ASSERT_TRUE(weighted ? texts.SelectWeightedColumn(2, 3, cls)
                                 : texts.SelectColumn(2, cls));
            for (const char* name : {"N", "AVG", "MIN", "MAX", "STDEV", "VAR", "CV", "SKEWNESS",
                                     "KURTOSIS", "NONOUTLIERMIN", "PERC_10", "MEDIAN",
                                     "NONOUTLIERMAX", "SUM", "OUTLIERLOW_1", "EXTREMEHIGH_1"})
                EXPECT_EQ(streamed.Statistic(QString::fromLatin1(name)),
                          texts.Statistic(QString::fromLatin1(name)))
                    << name << " class " << cls << (weighted ? " weighted" : "");
        }

    // A text among the numbers turns the column into texts: "01" stays "01", and the classes
    // keep them apart from the number 1.
    StatisticsComponent mixed;
    mixed.SetSize(0, 1, true);
    for (int r = 1; r <= 4; ++r)
        mixed.AppendRow();
    mixed.setCellNumber(1, 1, 1);
    mixed.setCellNumber(2, 1, -0.4);
    mixed.setCellText(4, 1, QStringLiteral("01"));
    EXPECT_EQ((QStringList{mixed.CellText(1, 1), mixed.CellText(2, 1), mixed.CellText(3, 1),
                           mixed.CellText(4, 1)}),
              (QStringList{"1", "-0.4", "", "01"}));
    mixed.Classify(1);
    EXPECT_EQ(mixed.ClassCount(), 4);
    ASSERT_TRUE(mixed.SelectColumn(1, 0));
    EXPECT_EQ(mixed.Statistic(QStringLiteral("N")), 3);

    // The detection limit rule reaches numbers too: with data option 2 a negative number
    // stands for its limit.
    StatisticsComponent limits;
    limits.SetSize(3, 1, true);
    limits.setCellNumber(1, 1, -0.4);
    limits.setCellNumber(2, 1, 7);
    DetectionLimitRule rule;
    rule.inDataOption = 2;
    ASSERT_TRUE(limits.ApplyBDLC(1, rule));
    EXPECT_EQ((QStringList{limits.CellText(1, 1), limits.CellText(2, 1), limits.CellText(3, 1)}),
              (QStringList{"0.2", "7", ""}));
}

// Statements are fetched without their ORDER BY; the classes are then put in its order.
TEST(ClassOrder, ClassesFollowTheStatementsOrderAndOnlyItsClauseGoes) {
    StatisticsComponent c;
    c.SetSize(6, 1);
    const char* classes[] = {"b", "10", "", "B", "2", "A"};
    for (int r = 1; r <= 6; ++r)
        c.setCellText(r, 1, QString::fromLatin1(classes[r - 1]));
    c.Classify(1);
    QStringList ordered;
    for (int i : ClassOrder::sorted(c))
        ordered << c.ClassName(i);
    EXPECT_EQ(ordered, (QStringList{"", "2", "10", "A", "B", "b"}));

    const struct {
        const char* statement;
        const char* fetched;
    } cases[] = {
        {"SELECT * FROM [T] ORDER BY 1 ASC", "SELECT * FROM [T]"},
        {"SELECT [T].[a], [T].[b] FROM [T] WHERE x ORDER BY 1 AND 2",
         "SELECT [T].[a], [T].[b] FROM [T] WHERE x"},
        {"SELECT [T].* FROM [T], [f_x ORDER BY y] WHERE j",
         "SELECT [T].* FROM [T], [f_x ORDER BY y] WHERE j"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(ClassOrder::unordered(QString::fromLatin1(k.statement)),
                  QString::fromLatin1(k.fetched));
}

} // namespace
