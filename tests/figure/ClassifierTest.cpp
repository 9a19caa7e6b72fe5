#include "figure/Classifier.h"
#include "figure/ClassifyOption.h"
#include "figure/InternedColumn.h"
#include "figure/PointsPerClassReport.h"
#include "figure/SeriesBuilder.h"
#include "figure/ValueRanges.h"
#include "platform/RowSet.h"
#include "platform/Sheet.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// "name=count" per class, in class order, so one string shows order, names and counts.
std::string summary(const Classification& c) {
    std::string out;
    for (const DataClass& d : c.classes) {
        out +=
            (out.empty() ? "" : " | ") + d.name.toStdString() + "=" + std::to_string(d.rows.size());
    }
    return out;
}

CellValue num(double v) {
    return CellValue::number(v);
}
CellValue txt(const char* t) {
    return CellValue::text(QString::fromUtf8(t));
}

RowSet classifierRows(const std::vector<CellValue>& values) {
    RowSet rows(QStringList{QStringLiteral("Class")});
    for (const CellValue& v : values) {
        rows.appendRow({v});
    }
    return rows;
}

struct ClassCase {
    const char* what;
    std::vector<CellValue> values;
    ClassifyMode mode;
    bool drawNulls;
    bool dropNonNumeric;
    std::string expected;
    qsizetype nullsDropped;
    qsizetype nonNumericDropped;
};

TEST(Classifier, ClassesFollowTheClassifyOption) {
    const std::vector<ClassCase> cases = {
        {"option 0: every distinct text is a class, sorted without regard to case",
         {txt("Granite"), txt("basalt"), txt("Granite"), txt("Andesite")},
         ClassifyMode::AsText,
         false,
         false,
         "Andesite=1 | basalt=1 | Granite=2",
         0,
         0},
        {"option 0: numbers class by their text; a number and the same text are one class",
         {num(10), txt("10"), num(9), txt("x"), num(2.5)},
         ClassifyMode::AsText,
         false,
         false,
         "2.5=1 | 9=1 | 10=2 | x=1",
         0,
         0},
        {"option 0: Null rows are dropped and counted",
         {txt("A"), CellValue::null(), CellValue(), txt("A")},
         ClassifyMode::AsText,
         false,
         false,
         "A=2",
         2,
         0},
        {"option 0: Null rows drawn form the last class",
         {CellValue::null(), txt("B"), txt("A")},
         ClassifyMode::AsText,
         true,
         false,
         "A=1 | B=1 | <Null>=1",
         0,
         0},
        {"a text named like the Null class shares it",
         {CellValue::null(), txt("<Null>"), txt("A")},
         ClassifyMode::AsText,
         true,
         false,
         "<Null>=2 | A=1",
         0,
         0},
        {"every classifier Null and Nulls not drawn: no class at all",
         {CellValue::null(), CellValue::null()},
         ClassifyMode::AsText,
         false,
         false,
         "",
         2,
         0},
        {"an empty text is a value, not Null",
         {txt(""), txt("A")},
         ClassifyMode::AsText,
         false,
         false,
         "=1 | A=1",
         0,
         0},
        {"option 1: numbers and numeric texts share <Numeric>, texts keep their classes",
         {num(1), txt("Granite"), txt(" 2.5 "), num(-3), txt("Basalt"), txt("Granite")},
         ClassifyMode::GroupNumbers,
         false,
         false,
         "<Numeric>=3 | Basalt=1 | Granite=2",
         0,
         0},
        {"option 2: numbers into 1-2-5 ranges; the top value falls into the last range",
         {num(0), num(5), num(10), num(15), num(20), num(12)},
         ClassifyMode::NumberRanges,
         false,
         false,
         "0 - 2=1 | 4 - 6=1 | 10 - 12=1 | 12 - 14=1 | 14 - 16=1 | 18 - 20=1",
         0,
         0},
        {"option 2: texts keep their own classes after the ranges",
         {num(1), num(3), txt("n.a.")},
         ClassifyMode::NumberRanges,
         false,
         false,
         "1 - 1.2=1 | 2.8 - 3=1 | n.a.=1",
         0,
         0},
        {"option 2, ClipData: non-numeric classifiers are left out of the distribution",
         {num(1), num(3), txt("n.a."), CellValue::null()},
         ClassifyMode::NumberRanges,
         false,
         true,
         "1 - 1.2=1 | 2.8 - 3=1",
         1,
         1},
        {"option 2: one distinct value is one class named by it",
         {num(7), txt("7"), num(7)},
         ClassifyMode::NumberRanges,
         false,
         false,
         "7=3",
         0,
         0},
    };
    for (const ClassCase& c : cases) {
        const Classification got = Classifier::classify(classifierRows(c.values), 0,
                                                        {c.mode, c.drawNulls, c.dropNonNumeric});
        EXPECT_EQ(summary(got), c.expected) << c.what;
        EXPECT_EQ(got.nullRowsDropped, c.nullsDropped) << c.what;
        EXPECT_EQ(got.nonNumericRowsDropped, c.nonNumericDropped) << c.what;

        // The interned column the diagram fetches into classes its rows the same way.
        InternedColumn column;
        for (const CellValue& v : c.values) {
            column.append(v);
        }
        const Classification interned =
            Classifier::classify(column, {c.mode, c.drawNulls, c.dropNonNumeric});
        EXPECT_EQ(summary(interned), c.expected) << c.what;
        ASSERT_EQ(interned.classes.size(), got.classes.size()) << c.what;
        for (size_t i = 0; i < got.classes.size(); ++i) {
            EXPECT_EQ(interned.classes[i].rows, got.classes[i].rows) << c.what;
        }
        EXPECT_EQ(interned.nullRowsDropped, c.nullsDropped) << c.what;
        EXPECT_EQ(interned.nonNumericRowsDropped, c.nonNumericDropped) << c.what;
    }
}

TEST(Classifier, ClassRowsAreTheSourceRowsInOrder) {
    const Classification got = Classifier::classify(
        classifierRows({txt("B"), txt("A"), CellValue::null(), txt("B"), txt("A")}), 0,
        {ClassifyMode::AsText, false, false});
    ASSERT_EQ(got.classes.size(), 2u);
    EXPECT_EQ(got.classes[0].rows, (std::vector<quint32>{1, 4}));
    EXPECT_EQ(got.classes[1].rows, (std::vector<quint32>{0, 3}));
    EXPECT_EQ(got.rowCount(), 4);
}

TEST(Classifier, SheetRowsClassLikeCellValues) {
    Sheet sheet;
    sheet.setText(1, 2, QStringLiteral("header"));
    sheet.setNumber(2, 2, 4);
    sheet.setText(3, 2, QStringLiteral("Granite"));
    sheet.setNumber(5, 2, 4); // row 4 is empty: Null
    sheet.setNumber(6, 1, 1); // column 2 missing in row 6: Null
    const Classification got =
        Classifier::classify(sheet, 2, 2, 6, {ClassifyMode::GroupNumbers, false, false});
    EXPECT_EQ(summary(got), "<Numeric>=2 | Granite=1");
    EXPECT_EQ(got.classes[0].rows, (std::vector<quint32>{0, 3}));
    EXPECT_EQ(got.nullRowsDropped, 2);
}

TEST(Classifier, WithoutClassifierOneClassHoldsEveryRow) {
    EXPECT_EQ(summary(Classifier::single(3, QStringLiteral("Cu"))), "Cu=3");
    EXPECT_TRUE(Classifier::single(0, QStringLiteral("Cu")).classes.empty());
}

TEST(ValueRanges, BoundsAreRoundAndCoverTheValues) {
    struct Case {
        double min, max;
        std::vector<std::pair<double, const char*>> probes;
    };
    const std::vector<Case> cases = {
        {0, 100, {{0, "0 - 10"}, {10, "10 - 20"}, {99.9, "90 - 100"}, {100, "90 - 100"}}},
        {0.13, 0.91, {{0.13, "0.1 - 0.2"}, {0.3, "0.3 - 0.4"}, {0.91, "0.9 - 1"}}},
        {-7, 3, {{-7, "-7 - -6"}, {2.5, "2 - 3"}, {3, "2 - 3"}}},
        {5, 5, {{5, "5"}}},
        {-1e308, 1e308, {{0, "-1e+308 - 1e+308"}, {1e308, "-1e+308 - 1e+308"}}},
    };
    for (const Case& c : cases) {
        const ValueRanges ranges(c.min, c.max);
        EXPECT_LE(ranges.count(), ValueRanges::maxRanges) << c.min << ".." << c.max;
        for (const auto& [value, name] : c.probes) {
            EXPECT_EQ(ranges.name(ranges.indexOf(value)).toStdString(), name) << value;
        }
    }
}

TEST(ClassifyOption, TakesOnlyZeroOneOrTwo) {
    const std::vector<std::pair<const char*, int>> answers = {
        {"2", 2}, {"3", 2}, {"-1", 2}, {"a", 2}, {"", 2}, {" 1 ", 1}, {"1.5", 1}, {"0.0", 0}};
    ClassifyOption option;
    EXPECT_EQ(option.menuCaption(), QStringLiteral("Classify Option = 0"));
    for (const auto& [answer, expected] : answers) {
        option.accept(QString::fromUtf8(answer));
        EXPECT_EQ(int(option.mode()), expected) << answer;
        EXPECT_EQ(option.menuCaption(), QStringLiteral("Classify Option = %1").arg(expected));
    }
    EXPECT_EQ(ClassifyOption::inputTitle(), QStringLiteral("QUV Data Classify Options"));
    EXPECT_EQ(ClassifyOption::inputPrompt(QStringLiteral("Rocks"), QStringLiteral("Type")),
              QStringLiteral("In Classifying treat Classifier [Rocks].[Type] values \n"
                             "- 0 = as string\n- 1 = grouping numbers in one <Numeric> class\n"
                             "- 2 = autodistributing numbers"));
}

TEST(SeriesBuilder, OneSeriesPerClassWithPointsThatKnowTheirRows) {
    RowSet rows(QStringList{QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Rock"),
                            QStringLiteral("Key")});
    rows.appendRow({num(1), num(10), txt("Granite"), txt("S1")});
    rows.appendRow({num(2), txt("bad"), txt("Granite"), txt("S2")});
    rows.appendRow({txt("3"), num(30), txt("Basalt"), txt("S3")});
    rows.appendRow({num(4), num(40), CellValue::null(), txt("S4")});
    rows.appendRow({num(5), num(50), txt("Granite"), txt("S5")});
    rows.appendRow({txt("n.d."), num(60), txt("Diorite"), txt("S6")}); // no point: no series
    const Classification classes =
        Classifier::classify(rows, 2, {ClassifyMode::AsText, false, false});
    const SeriesBuilder::Result built = SeriesBuilder::build(rows, {0, 1, -1, 3}, classes);
    ASSERT_EQ(built.series.size(), 2u);
    EXPECT_EQ(built.nonNumericRowsSkipped, 2);
    const Series& basalt = built.series[0];
    EXPECT_EQ(basalt.name, QStringLiteral("Basalt"));
    EXPECT_EQ(basalt.points, (std::vector<FigurePoint>{{3, 30, 2}}));
    const Series& granite = built.series[1];
    EXPECT_EQ(granite.points, (std::vector<FigurePoint>{{1, 10, 0}, {5, 50, 4}}));
    EXPECT_EQ(granite.labelList(), (QStringList{QStringLiteral("S1"), QStringLiteral("S5")}));
    EXPECT_NE(basalt.style, granite.style);

    // The count per class is what was drawn: the row with a bad Y and the Null row are out.
    EXPECT_EQ(PointsPerClassReport::text(built.series),
              QStringLiteral("Number of points per classes:\nBasalt = 1\nGranite = 2\nTotal = 3"));
}

TEST(SeriesBuilder, ClipDataRowsCountFromTheFirstDataRow) {
    Sheet sheet;
    sheet.fromTsv(QStringLiteral("Key\tZn\tCu\tRock\n"
                                 "S1\t1\t10\tGranite\n"
                                 "S2\t2\tn.d.\tGranite\n"
                                 "S3\t3\t30\t\n"
                                 "S4\t4\t40\t7\n"));
    const Classification classes = Classifier::classify(sheet, 4, 2, sheet.lastRow(),
                                                        {ClassifyMode::NumberRanges, false, true});
    EXPECT_EQ(summary(classes), "7=1");
    EXPECT_EQ(classes.nonNumericRowsDropped, 2);
    EXPECT_EQ(classes.nullRowsDropped, 1);

    const Classification all =
        Classifier::classify(sheet, 4, 2, sheet.lastRow(), {ClassifyMode::AsText, true, false});
    const SeriesBuilder::Result built = SeriesBuilder::build(sheet, 2, {2, 3, -1, 1}, all);
    EXPECT_EQ(summary(all), "7=1 | Granite=2 | <Null>=1");
    ASSERT_EQ(built.series.size(), 3u);
    EXPECT_EQ(built.series[0].points, (std::vector<FigurePoint>{{4, 40, 3}}));
    EXPECT_EQ(built.series[1].points, (std::vector<FigurePoint>{{1, 10, 0}}));
    EXPECT_EQ(built.series[2].labelList(), QStringList{QStringLiteral("S3")});
    EXPECT_EQ(built.nonNumericRowsSkipped, 1);
}

TEST(PointsPerClassReport, OneSeriesShowsOneLineAndTheTotal) {
    Series all;
    all.name = QStringLiteral("Cu");
    all.points.resize(4);
    EXPECT_EQ(PointsPerClassReport::text({all}),
              QStringLiteral("Number of points per classes:\nCu = 4\nTotal = 4"));
    EXPECT_EQ(PointsPerClassReport::text({}),
              QStringLiteral("Number of points per classes:\nTotal = 0"));
}

} // namespace
