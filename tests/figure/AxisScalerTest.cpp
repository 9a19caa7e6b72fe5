#include "figure/AxisScaler.h"
#include "figure/AutoRange.h"
#include "figure/AxisRatioInput.h"
#include "figure/LegendEntries.h"
#include "figure/UserAxisScale.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

Series seriesOf(std::vector<std::pair<double, double>> xy, AxisId axis = AxisId::Y) {
    Series s;
    for (const auto& [x, y] : xy) {
        s.points.push_back({x, y, FigurePoint::noRow});
    }
    s.valueAxis = axis;
    return s;
}

// X 3..47, Y 0.12..0.93 on Y; optionally Y2 data -1.5..2.
Figure sampleFigure(bool withY2) {
    Figure f;
    f.series.push_back(seriesOf({{3, 0.12}, {47, 0.93}, {20, 0.5}}));
    if (withY2) {
        f.series.push_back(seriesOf({{10, -1.5}, {12, 2}}, AxisId::Y2));
        f.y2Visible = true;
    }
    return f;
}

struct Ranges {
    double xMin, xMax, yMin, yMax, y2Min, y2Max;
    bool operator==(const Ranges&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Ranges& r) {
    return os << "X " << r.xMin << ".." << r.xMax << " Y " << r.yMin << ".." << r.yMax << " Y2 "
              << r.y2Min << ".." << r.y2Max;
}
Ranges rangesOf(const Figure& f) {
    return {f.x.min, f.x.max, f.y.min, f.y.max, f.y2.min, f.y2.max};
}

TEST(AxisScaler, ScalePassFollowsFreezeTernaryAndY2) {
    struct Case {
        const char* what;
        bool freezeX, freezeY, ternary, withY2;
        Ranges expected;
    };
    // Before the pass every axis holds the user range 100..200.
    const std::vector<Case> cases = {
        {"automatic: ranges from the data; Y2 shows the Y range",
         false,
         false,
         false,
         false,
         {0, 50, 0, 1, 0, 1}},
        // Y2 data widen both Y axes; the point at 2 keeps room for its symbol.
        {"Y2 data widen both Y axes", false, false, false, true, {0, 50, -2, 3, -2, 3}},
        {"frozen X keeps its range", true, false, false, false, {100, 200, 0, 1, 0, 1}},
        {"frozen Y keeps both Y ranges", false, true, false, true, {0, 50, 100, 200, 100, 200}},
        {"ternary: -5..105 whatever the data and the freezes",
         true,
         true,
         true,
         true,
         {-5, 105, -5, 105, -5, 105}},
    };
    for (const Case& c : cases) {
        Figure f = sampleFigure(c.withY2);
        for (const AxisId id : {AxisId::X, AxisId::Y, AxisId::Y2}) {
            f.axis(id).setRange(100, 200);
        }
        AxisScaleState state;
        state.freezeX = c.freezeX;
        state.freezeY = c.freezeY;
        AxisScaler::scale(f, state, c.ternary);
        EXPECT_EQ(rangesOf(f), c.expected) << c.what;
        EXPECT_EQ(f.y.autoMin || f.y.autoMax || f.y2.autoMin, false) << c.what;
    }
}

TEST(AxisScaler, EmptyY2ReportsSentinelEndsThatNeverWidenY) {
    Figure f = sampleFigure(false);
    f.y2Visible = true;
    const AxisExtent y2 = f.extent(AxisId::Y2);
    EXPECT_EQ(y2.min, 1e308);
    EXPECT_EQ(y2.max, 1e308);
    AxisScaleState automatic;
    AxisScaler::scale(f, automatic, false);
    EXPECT_EQ(f.y.min, 0);
    EXPECT_EQ(f.y.max, 1);
}

TEST(AxisScaler, FixedRatioSizesThePlotAreaUnlessYIsFrozen) {
    struct Case {
        QSizeF automatic;
        double ratio;
        QSizeF expected;
    };
    const std::vector<Case> cases = {
        {{400, 300}, 1.0, {300, 300}}, // wider than the ratio: width = h * r
        {{400, 300}, 2.0, {400, 200}}, // w / h <= r: height = w / r
        {{400, 300}, 0.5, {150, 300}},
        {{300, 600}, 0.5, {300, 600}}, // already the ratio
    };
    for (const Case& c : cases) {
        Figure f = sampleFigure(false);
        AxisScaleState state;
        state.ratioFixed = true;
        state.xPerYRatio = c.ratio;
        int measured = 0;
        AxisScaler::scale(f, state, false, [&](const Figure& measuredFigure) {
            ++measured;
            EXPECT_FALSE(measuredFigure.plotAreaSize.has_value());
            return c.automatic;
        });
        EXPECT_EQ(measured, 1);
        ASSERT_TRUE(f.plotAreaSize.has_value());
        EXPECT_EQ(*f.plotAreaSize, c.expected) << c.ratio;

        // Frozen Y: no change to the Y ranges or the plot area, though the ratio is fixed.
        const Ranges before = rangesOf(f);
        f.series.push_back(seriesOf({{1, 1000}}));
        state.freezeY = true;
        AxisScaler::scale(f, state, false, [](const Figure&) { return QSizeF(10, 10); });
        EXPECT_EQ(*f.plotAreaSize, c.expected);
        EXPECT_EQ(f.y.max, before.yMax);
    }
    // The ratio turned off: the plot area is automatic again.
    Figure f = sampleFigure(false);
    f.plotAreaSize = QSizeF(10, 10);
    AxisScaleState automatic;
    AxisScaler::scale(f, automatic, false);
    EXPECT_FALSE(f.plotAreaSize.has_value());
}

TEST(AutoRange, LinearAndLogRanges) {
    struct Case {
        std::vector<double> values;
        bool log;
        double lo, hi;
    };
    const std::vector<Case> cases = {
        {{}, false, 0, 1},
        {{3, 47}, false, 0, 50},
        {{0.12, 0.93}, false, 0, 1},
        {{-3.2, 7.1}, false, -5, 10},
        // Points on a tick get the next one, so their symbols are not cut by the frame; at
        // zero only the margin, so that data of one sign keep to their side.
        {{0, 70}, false, -2.1, 80},
        {{-70, 0}, false, -80, 2.1},
        {{10, 50}, false, 0, 60},
        {{1, 100}, true, 0.1, 1000},
        {{2, 90}, true, 1, 100},
        {{5, 5}, false, 4.4, 5.6},
        {{0, 0}, false, -1, 1},
        {{}, true, 1, 10},
        {{0.5, 250}, true, 0.1, 1000},
        {{-4, 0, 20}, true, 10, 100},
        {{-4, 0}, true, 1, 10},
        {{100, 100}, true, 100, 1000},
        {{-9e307, 9e307}, false, -9e307, 9e307}, // the span overflows: the data ends
    };
    for (const Case& c : cases) {
        AxisExtent e;
        for (const double v : c.values) {
            e.add(v);
        }
        const auto [lo, hi] = AutoRange::of(e, c.log);
        EXPECT_DOUBLE_EQ(lo, c.lo) << c.values.size() << (c.log ? " log" : " linear");
        EXPECT_DOUBLE_EQ(hi, c.hi) << c.values.size() << (c.log ? " log" : " linear");
    }
}

TEST(Figure, LogAxesSayWhatTheyLeaveOut) {
    Figure f;
    f.series.push_back(seriesOf({{-1, 5}, {0, -2}, {10, 3}, {20, 0}}));
    EXPECT_TRUE(f.logScaleNotes().isEmpty()); // linear axes show everything
    f.x.logarithmic = true;
    f.y.logarithmic = true;
    EXPECT_EQ(f.logScaleNotes(),
              (QStringList{QStringLiteral("Log X axis: 2 points with X <= 0 are not shown"),
                           QStringLiteral("Log Y axis: 2 points with Y <= 0 are not shown")}));
    f.series[0].points.resize(1);
    f.y.logarithmic = false;
    EXPECT_EQ(f.logScaleNotes(),
              QStringList{QStringLiteral("Log X axis: 1 point with X <= 0 is not shown")});
}

TEST(UserAxisScale, MenuRangesRefuseEqualEnds) {
    struct Case {
        AxisId axis;
        double min, max;
        const char* message;
    };
    const std::vector<Case> cases = {
        {AxisId::X, 1, 2, ""},
        {AxisId::X, 2, 2, "Min is greater than or equal to max. X-axis scale not changed."},
        {AxisId::X, 3, 2, "Min is greater than or equal to max. X-axis scale not changed."},
        {AxisId::Y, 5, 5, "Min is greater than or equal to max. Y-axis scale not changed."},
        {AxisId::Y, -5, 5, ""},
    };
    for (const Case& c : cases) {
        Figure f = sampleFigure(true);
        AxisScaleState automatic;
        AxisScaler::scale(f, automatic, false);
        const Ranges before = rangesOf(f);
        AxisScaleState state;
        const std::optional<QString> error =
            UserAxisScale::setFromMenu(f, state, c.axis, c.min, c.max);
        EXPECT_EQ(error.value_or(QString()).toStdString(), c.message);
        if (error) {
            EXPECT_EQ(rangesOf(f), before);
            EXPECT_EQ(state.note(), QString());
        } else {
            EXPECT_EQ(state.note(), QStringLiteral("User defined axis scale"));
            EXPECT_EQ(f.axis(c.axis).min, c.min);
            if (c.axis == AxisId::Y) {
                EXPECT_EQ(f.y2.min, c.min); // the Y range goes to both Y axes
                EXPECT_EQ(f.y2.max, c.max);
            }
        }
    }
}

TEST(UserAxisScale, DialogChecksItsFourBoxes) {
    struct Case {
        std::array<const char*, 4> boxes;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"0", "10", "1", "2"}, ""},
        {{"5", "5", "1", "1"}, ""}, // the dialog accepts equal ends
        {{"0", "x", "1", "2"}, " Please enter numeric value for scale"},
        {{"0", "10", "", "2"}, " Please enter numeric value for scale"},
        {{"11", "10", "1", "2"}, " Please select greater value for x -max "},
        {{"0", "10", "3", "2"}, " Please select greater value for y -max "},
    };
    for (const Case& c : cases) {
        Figure f = sampleFigure(true);
        AxisScaleState state;
        std::array<QString, 4> boxes;
        for (size_t i = 0; i < 4; ++i) {
            boxes[i] = QString::fromUtf8(c.boxes[i]);
        }
        const std::optional<QString> error = UserAxisScale::applyDialog(f, state, boxes);
        EXPECT_EQ(error.value_or(QString()).toStdString(), c.message) << c.boxes[0];
        EXPECT_EQ(state.userScale, !error);
        if (!error) {
            EXPECT_EQ(rangesOf(f),
                      (Ranges{boxes[0].toDouble(), boxes[1].toDouble(), boxes[2].toDouble(),
                              boxes[3].toDouble(), boxes[2].toDouble(), boxes[3].toDouble()}));
        }
    }
}

TEST(UserAxisScale, DataDefinitionResetAndRangeLine) {
    Figure f = sampleFigure(true);
    EXPECT_EQ(UserAxisScale::dataDefinition(f), (std::array<double, 4>{3, 47, -1.5, 2}));
    EXPECT_EQ(UserAxisScale::dataRangeText(f), QStringLiteral("(3-47;  -1.5-2)"));
    AxisScaleState state;
    ASSERT_FALSE(UserAxisScale::setFromMenu(f, state, AxisId::X, 100, 200));
    UserAxisScale::reset(f, state);
    EXPECT_EQ(state.note(), QString());
    EXPECT_EQ(rangesOf(f), (Ranges{0, 50, -2, 3, -2, 3}));
}

TEST(UserAxisScale, UpDownStepsAndLabelFrequency) {
    const std::vector<std::tuple<double, double, double>> steps = {
        {0, 250, 10}, {0.5, 0.13, 0.01}, {7, 7, 0.0001}, {1000, 0, 100}, {0, 9.99, 0.1}};
    for (const auto& [a, b, step] : steps) {
        EXPECT_DOUBLE_EQ(UserAxisScale::upDownStep(a, b), step) << a << " " << b;
    }
    const std::vector<std::pair<const char*, std::optional<int>>> answers = {
        {"3", 3},
        {"2.9", 2},
        {"0", std::nullopt},
        {"0.5", std::nullopt},
        {"-2", std::nullopt},
        {"x", std::nullopt},
        {"", std::nullopt},
        {"1e20", std::nullopt}};
    for (const auto& [answer, frequency] : answers) {
        EXPECT_EQ(UserAxisScale::labelFrequency(QString::fromUtf8(answer)), frequency) << answer;
    }
}

TEST(AxisScaleState, NoteNamesWhatRulesTheScale) {
    AxisScaleState s;
    EXPECT_EQ(s.note(), QString());
    s.userScale = true;
    EXPECT_EQ(s.note(), QStringLiteral("User defined axis scale"));
    s.freezeX = true;
    EXPECT_EQ(s.note(), QStringLiteral("Freezed X scale"));
    s.freezeY = true;
    EXPECT_EQ(s.note(), QStringLiteral("Freezed X and Y scale"));
    s.freezeX = false;
    EXPECT_EQ(s.note(), QStringLiteral("Freezed Y scale"));
}

TEST(AxisRatioInput, ParsesNumbersAndFractions) {
    const std::vector<std::pair<const char*, std::variant<double, QString>>> cases = {
        {"1:2", 0.5},
        {"1/2", 0.5},
        {"1.2", 1.2},
        {" 3 : 4 ", 0.75},
        {"1:2/4", QStringLiteral("Format not correct!")}, // "/" wins: "1:2" is not a number
        {"2:", QStringLiteral("Format not correct!")},
        {"abc", QStringLiteral("Format not correct!")},
        {"", QStringLiteral("Format not correct!")},
        {"0", QStringLiteral("Format not correct!")},
        {"-1:2", QStringLiteral("Format not correct!")},
        {"1:0", QStringLiteral("Error 11 Division by zero")},
    };
    for (const auto& [answer, expected] : cases) {
        EXPECT_EQ(AxisRatioInput::parse(QString::fromUtf8(answer)), expected) << answer;
    }
    EXPECT_EQ(AxisRatioInput::prompt(),
              QStringLiteral("Give X-axis : Y-axis ratio (X/Y):\n(e.g. 1.2; 1:2 or 1/2)"));
}

TEST(LegendEntries, CapsThousandsOfClasses) {
    Figure f;
    for (int i = 0; i < 5000; ++i) {
        f.series.push_back(seriesOf({{double(i), 1}}));
    }
    f.series[3].showInLegend = false;
    OverlayLine limit;
    limit.showInLegend = true;
    f.lines.push_back(limit);
    const LegendEntries entries(f);
    ASSERT_EQ(entries.shown().size(), size_t(LegendEntries::defaultCap));
    EXPECT_EQ(entries.shown()[3].index, 4); // the hidden series is skipped, not counted
    EXPECT_EQ(entries.hiddenCount(), 4999 + 1 - 100);
    EXPECT_EQ(entries.moreText(), QStringLiteral("\u2026 4900 more"));

    Figure few;
    few.series.push_back(seriesOf({{1, 1}}));
    EXPECT_EQ(LegendEntries(few).moreText(), QString());
    EXPECT_EQ(LegendEntries(few).shown().size(), 1u);
}

} // namespace
