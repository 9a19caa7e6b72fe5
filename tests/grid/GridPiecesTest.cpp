#include "grid/DecimalRounding.h"
#include "grid/GridCaption.h"
#include "grid/GridController.h"
#include "grid/GridFiles.h"
#include "grid/OpenViews.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(DecimalRounding, RoundsTheDecimalAsWrittenHalvesUpwards) {
    const struct {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {2.675, 2, 2.68}, {1.005, 2, 1.01},
        {-1.25, 1, -1.2}, {2.5, 0, 3},
        {-2.5, 0, -2},    {-2.51, 0, -3},
        {0.125, 2, 0.13}, {123.456, 5, 123.456},
        {1e20, 2, 1e20},  {-0.004, 2, 0},
        {9.995, 2, 10},   {0.000015, 5, 0.00002},
        {7, 3, 7},        {1.23456789012e-7, 9, 1.23e-7},
    };
    for (const auto& c : cases) {
        const double got = DecimalRounding::round(c.value, c.decimals);
        // Exactly the double of the decimal, not a float's neighbour.
        EXPECT_EQ(got, c.expected) << c.value << " to " << c.decimals;
    }
}

TEST(GridCaption, NameIsTheTextAfterTheFirstSlash) {
    const struct {
        const char* caption;
        const char* name;
    } cases[] = {{"Table/Samples", "Samples"},
                 {"Query/Rocks>", "Rocks"},
                 {"Samples", "Samples"},
                 {"SQL/a/b", "a/b"},
                 {"Table/", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(GridCaption::nameOf(QString::fromUtf8(c.caption)), QString::fromUtf8(c.name));
}

TEST(OpenViews, RepeatedNamesGetAPrefixAtMostTenTimes) {
    OpenViews views;
    EXPECT_EQ(views.add(QStringLiteral("Samples")), QStringLiteral("Samples"));
    EXPECT_EQ(views.add(QStringLiteral("Samples")), QStringLiteral(">Samples"));
    EXPECT_EQ(views.add(QStringLiteral("Samples")), QStringLiteral(">>Samples"));
    for (int i = 0; i < 12; ++i)
        views.add(QStringLiteral("Samples"));
    EXPECT_EQ(views.names().back(), QString(10, QLatin1Char('>')) + QStringLiteral("Samples"));
    views.remove(QStringLiteral(">Samples"));
    EXPECT_EQ(views.add(QStringLiteral("Samples")), QStringLiteral(">Samples"));
}

TEST(GridController, TableIsTheNameAfterFrom) {
    // oneTable: each row is a row of that table, so its key tells the rows apart.
    const struct {
        const char* statement;
        const char* table;
        bool oneTable;
    } cases[] = {
        {"SELECT * FROM [Rock Samples] WHERE [Rock] = 'x'", "Rock Samples", true},
        {"SELECT * FROM Samples, Major", "Samples", false},
        {"select a from t order by a", "t", true},
        {"SELECT [a]]b].* FROM [a]]b];", "a]b", true},
        {"SELECT 1", "", false},
        {"SELECT * FROM (SELECT * FROM T)", "", false},
        {"SELECT * FROM S INNER JOIN T ON S.k = T.k", "S", false},
        {"SELECT k FROM S WHERE k IN (SELECT k FROM T)", "S", true},
        {"SELECT k FROM S UNION SELECT k FROM T", "S", false},
        {"SELECT k, COUNT(*) FROM S GROUP BY k", "S", false},
        {"SELECT s.k FROM S AS s", "S", false},
    };
    for (const auto& c : cases) {
        const QString statement = QString::fromUtf8(c.statement);
        EXPECT_EQ(GridController::tableOf(statement), QString::fromUtf8(c.table)) << c.statement;
        EXPECT_EQ(GridController::readsOneTable(statement), c.oneTable) << c.statement;
    }
}

TEST(GridFiles, ColumnViewsAndSqlFilesRoundTrip) {
    QTemporaryDir dir;
    EXPECT_EQ(GridFiles::columnViewPath(QStringLiteral("/opt/quv"), QStringLiteral("Samples")),
              QStringLiteral("/opt/quv/ini/Samples.ini"));
    EXPECT_EQ(GridFiles::sqlPath(QStringLiteral("/home/u"), QStringLiteral("Samples")),
              QStringLiteral("/home/u/Samples.sql"));

    const QString view = dir.filePath(QStringLiteral("Samples.ini"));
    ASSERT_TRUE(GridFiles::saveColumnView(view, {120, GridFiles::hidden, 80, 60}));
    // A grid with fewer columns takes only its own.
    EXPECT_EQ(GridFiles::readColumnView(view, 3),
              (std::map<int, int>{{0, 120}, {1, GridFiles::hidden}, {2, 80}}));
    QFile file(view);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("[ColumnWidths]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1=-1"))) << text.toStdString();
    EXPECT_TRUE(GridFiles::readColumnView(dir.filePath(QStringLiteral("none.ini")), 3).empty());

    const QString sql = dir.filePath(QStringLiteral("Samples.sql"));
    ASSERT_TRUE(
        GridFiles::saveSql(sql, QStringLiteral("SELECT *\r\nFROM [Samples]\nWHERE 1=1"), {50, 60}));
    EXPECT_EQ(GridFiles::readSql(sql), QStringLiteral("SELECT * FROM [Samples] WHERE 1=1"));
    EXPECT_EQ(GridFiles::readColumnView(sql, 2), (std::map<int, int>{{0, 50}, {1, 60}}));
    EXPECT_FALSE(GridFiles::readSql(view));
}

} // namespace
