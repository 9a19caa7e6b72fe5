#include "figure/PlotTable.h"
#include "figure/SeriesBuilder.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(PlotTable, NumberColumnPlotsNumbersAndGivesEveryCellBackAsItCame) {
    const QDateTime taken(QDate(1998, 3, 4), QTime(5, 6, 7), Qt::UTC);
    struct Case {
        const char* what;
        CellValue cell;
        std::optional<double> plotted;
    };
    const std::vector<Case> cases = {
        {"a number", CellValue::number(2.5), 2.5},
        {"zero", CellValue::number(0), 0.0},
        {"a numeric text plots, and stays a text", CellValue::text(QStringLiteral(" 7 ")), 7.0},
        {"a text", CellValue::text(QStringLiteral("n.a.")), std::nullopt},
        {"Null", CellValue::null(), std::nullopt},
        {"Empty", CellValue(), std::nullopt},
        {"a boolean plots as 1", CellValue::boolean(true), 1.0},
        {"a date does not plot by itself", CellValue::date(taken), std::nullopt},
        {"NaN", CellValue::number(std::numeric_limits<double>::quiet_NaN()), std::nullopt},
    };
    NumberColumn column;
    for (const Case& c : cases)
        column.append(c.cell);
    // A time axis knows better: the caller's number wins, the cell is still the date.
    column.append(CellValue::date(taken), 42.0);
    ASSERT_EQ(column.rowCount(), qsizetype(cases.size()) + 1);
    for (size_t r = 0; r < cases.size(); ++r) {
        EXPECT_EQ(column.number(qsizetype(r)), cases[r].plotted) << cases[r].what;
        if (cases[r].cell.kind() == CellValue::Kind::Number &&
            !column.number(qsizetype(r)).has_value())
            EXPECT_EQ(column.cell(qsizetype(r)).kind(), CellValue::Kind::Number) << cases[r].what;
        else
            EXPECT_EQ(column.cell(qsizetype(r)), cases[r].cell) << cases[r].what;
    }
    EXPECT_EQ(column.number(qsizetype(cases.size())), 42.0);
    EXPECT_EQ(column.cell(qsizetype(cases.size())), CellValue::date(taken));
}

TEST(PlotTable, InternedColumnKeepsEachDistinctValueOnceByKindAndContent) {
    const std::vector<CellValue> values = {
        CellValue::text(QStringLiteral("Basalt")),
        CellValue::text(QStringLiteral("Basalt")),
        CellValue::number(1),
        CellValue::text(QStringLiteral("1")),
        CellValue::null(),
        CellValue(),
        CellValue::boolean(true),
        CellValue::text(QStringLiteral("True")),
        CellValue::text(QStringLiteral("basalt")),
        CellValue::number(1),
        CellValue::null(),
        CellValue::text(QStringLiteral("Basalt")),
    };
    InternedColumn column;
    for (const CellValue& v : values)
        column.append(v);
    ASSERT_EQ(column.rowCount(), qsizetype(values.size()));
    for (size_t r = 0; r < values.size(); ++r)
        EXPECT_EQ(column.at(qsizetype(r)), values[r]) << r;
    EXPECT_EQ(column.distinct().size(), 8u);
    EXPECT_EQ(column.ids()[11], column.ids()[0]);
    EXPECT_EQ(column.ids()[9], column.ids()[2]);
}

TEST(PlotTable, PackedTextsGiveBackEachTextIncludingEmptyOnes) {
    const QStringList texts{QStringLiteral("S0000001"), QString(), QStringLiteral("Grünstein"),
                            QStringLiteral(""), QStringLiteral("x")};
    PackedTexts packed;
    for (const QString& t : texts)
        packed.append(t);
    ASSERT_EQ(packed.size(), texts.size());
    for (qsizetype i = 0; i < texts.size(); ++i)
        EXPECT_EQ(packed.at(i), texts[i]) << i;
    // Past many blocks of texts, with lengths that take one, two and three bytes to write.
    PackedTexts many;
    QStringList manyTexts;
    for (int i = 0; i < 100; ++i)
        manyTexts << QString(i % 7 == 3    ? 200 + i
                             : i % 11 == 5 ? 17000
                                           : i % 5,
                             QChar(u'a' + i % 26));
    for (const QString& t : manyTexts)
        many.append(t);
    EXPECT_EQ(many, manyTexts);

    // A picked set (and a set picked from it) shares the texts; a change to either set, or to
    // a copy, leaves the others as they were.
    PackedTexts picked = PackedTexts::picked(packed, {4, 2, 2});
    EXPECT_EQ(picked, (QStringList{"x", "Grünstein", "Grünstein"}));
    const PackedTexts twice = PackedTexts::picked(picked, {1, 0});
    EXPECT_EQ(twice, (PackedTexts{QStringLiteral("Grünstein"), QStringLiteral("x")}));
    EXPECT_TRUE(twice.contains(QStringLiteral("Grünstein")));
    const PackedTexts copy = packed;
    packed.append(QStringLiteral("y"));
    picked.append(QStringLiteral("z"));
    EXPECT_EQ(copy, texts);
    EXPECT_EQ(packed.size(), texts.size() + 1);
    EXPECT_EQ(picked, (QStringList{"x", "Grünstein", "Grünstein", "z"}));
    EXPECT_EQ(twice, (QStringList{"Grünstein", "x"}));
}

TEST(PlotTable, SeriesFromATableSkipRowsWithoutNumbersAndKeepLabelsAndRows) {
    PlotTable table;
    const struct {
        CellValue x, y, z;
        const char* label;
    } rows[] = {
        {CellValue::number(1), CellValue::number(10), CellValue::number(5), "A"},
        {CellValue::text(QStringLiteral("n.a.")), CellValue::number(11), CellValue(), "B"},
        {CellValue::number(3), CellValue::null(), CellValue::number(6), "C"},
        {CellValue::number(4), CellValue::number(13), CellValue::null(), "D"},
    };
    for (const auto& r : rows) {
        table.x.append(r.x);
        table.y.append(r.y);
        table.z.append(r.z);
        table.labels.append(QString::fromUtf8(r.label));
    }
    Classification classes;
    classes.classes.push_back({QStringLiteral("all"), {0, 1, 2, 3}});
    const auto built = SeriesBuilder::build(
        table, {PlotTable::X, PlotTable::Y, PlotTable::Z, PlotTable::Label}, classes);
    ASSERT_EQ(built.series.size(), 1u);
    const Series& s = built.series[0];
    EXPECT_EQ(s.points, (std::vector<FigurePoint>{{1, 10, 0}, {4, 13, 3}}));
    EXPECT_EQ(s.z, (std::vector<double>{5, 0}));
    EXPECT_EQ(s.labelList(), (QStringList{QStringLiteral("A"), QStringLiteral("D")}));
    EXPECT_EQ(built.nonNumericRowsSkipped, 2);
}

} // namespace
