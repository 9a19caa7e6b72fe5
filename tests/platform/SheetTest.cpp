#include "platform/Sheet.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <variant>

namespace {
using Value = std::variant<std::monostate, double, QString>;

// Rows of values, written from (1, 1); monostate leaves a cell empty.
Sheet sheetOf(const std::vector<std::vector<Value>>& rows) {
    Sheet sheet;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const int row = static_cast<int>(r) + 1;
            const int column = static_cast<int>(c) + 1;
            if (const auto* d = std::get_if<double>(&rows[r][c])) {
                sheet.setNumber(row, column, *d);
            } else if (const auto* s = std::get_if<QString>(&rows[r][c])) {
                sheet.setText(row, column, *s);
            }
        }
    }
    return sheet;
}

// The cells of a column as texts, "" for empty, with a marker telling numbers from texts.
QStringList columnOf(const Sheet& sheet, int column, int rows) {
    QStringList out;
    for (int row = 1; row <= rows; ++row) {
        if (sheet.isNumber(row, column)) {
            out << QStringLiteral("#") + sheet.text(row, column);
        } else {
            out << sheet.text(row, column);
        }
    }
    return out;
}

TEST(Sheet, UsedRangeFollowsSetAndClear) {
    const struct {
        const char* name;
        std::function<void(Sheet&)> act;
        int lastRow, lastColumn;
    } cases[] = {
        {"empty", [](Sheet&) {}, 0, 0},
        {"one cell", [](Sheet& s) { s.setNumber(3, 2, 1); }, 3, 2},
        {"far cells",
         [](Sheet& s) {
             s.setText(1, 7, QStringLiteral("a"));
             s.setNumber(9, 1, 2);
         },
         9, 7},
        {"clearing the last cell shrinks both",
         [](Sheet& s) {
             s.setNumber(2, 2, 1);
             s.setNumber(5, 6, 1);
             s.clearCell(5, 6);
         },
         2, 2},
        {"empty text clears",
         [](Sheet& s) {
             s.setText(1, 1, QStringLiteral("x"));
             s.setText(4, 4, QStringLiteral("y"));
             s.setText(4, 4, QString());
         },
         1, 1},
        {"widest row cleared, others stay",
         [](Sheet& s) {
             s.setNumber(1, 3, 1);
             s.setNumber(2, 8, 1);
             s.setNumber(3, 1, 1);
             s.clearRange(2, 1, 2, 100);
         },
         3, 3},
        {"clearRange with corners reversed",
         [](Sheet& s) {
             s.setNumber(1, 1, 1);
             s.setNumber(4, 4, 1);
             s.clearRange(10, 10, 2, 2);
         },
         1, 1},
        {"clear",
         [](Sheet& s) {
             s.setNumber(7, 7, 1);
             s.clear();
         },
         0, 0},
        {"outside the limits changes nothing",
         [](Sheet& s) {
             EXPECT_FALSE(s.setNumber(0, 1, 1));
             EXPECT_FALSE(s.setNumber(1, 0, 1));
             EXPECT_FALSE(s.setText(Sheet::maxRows + 1, 1, QStringLiteral("x")));
             EXPECT_FALSE(s.setText(1, Sheet::maxColumns + 1, QStringLiteral("x")));
         },
         0, 0},
        {"at the limits", [](Sheet& s) { EXPECT_TRUE(s.setNumber(2, Sheet::maxColumns, 1)); }, 2,
         Sheet::maxColumns},
        {"deleting rows and columns",
         [](Sheet& s) {
             s.setNumber(2, 2, 1);
             s.setNumber(6, 5, 1);
             s.deleteRows(6);
             s.deleteColumns(2);
         },
         0, 0},
    };
    for (const auto& c : cases) {
        Sheet sheet;
        c.act(sheet);
        EXPECT_EQ(sheet.lastRow(), c.lastRow) << c.name;
        EXPECT_EQ(sheet.lastColumn(), c.lastColumn) << c.name;
        EXPECT_EQ(sheet.isBlank(), c.lastRow == 0) << c.name;
    }
}

TEST(Sheet, CellsReadAsTextAndNumber) {
    Sheet sheet;
    sheet.setNumber(1, 1, 0.1);
    sheet.setText(1, 2, QStringLiteral(" 12.5 "));
    sheet.setText(1, 3, QStringLiteral("Fe2O3"));
    sheet.setNumber(1, 4, -0.0);
    EXPECT_EQ(sheet.text(1, 1), QStringLiteral("0.1"));
    EXPECT_EQ(sheet.number(1, 1), 0.1);
    EXPECT_EQ(sheet.text(1, 2), QStringLiteral(" 12.5 "));
    EXPECT_EQ(sheet.number(1, 2), 12.5);
    EXPECT_FALSE(sheet.isNumber(1, 2));
    EXPECT_EQ(sheet.number(1, 3), std::nullopt);
    EXPECT_EQ(sheet.text(1, 4), QStringLiteral("-0"));
    EXPECT_TRUE(std::signbit(*sheet.number(1, 4)));
    EXPECT_EQ(sheet.number(1, 9), std::nullopt);
    EXPECT_EQ(sheet.text(0, 0), QString());
    EXPECT_TRUE(sheet.isEmpty(2, 1));
}

TEST(Sheet, CopyRangeReadsTheSourceBeforeWriting) {
    // 3x3 numbers 1..9 with an empty centre.
    const std::vector<std::vector<Value>> grid = {
        {1.0, 2.0, 3.0}, {4.0, {}, 6.0}, {7.0, 8.0, QStringLiteral("nine")}};
    const struct {
        const char* name;
        int destRow, destColumn;
        std::vector<std::vector<Value>> expected;
    } cases[] = {
        {"down and right by one",
         2,
         2,
         {{1.0, 2.0, 3.0},
          {4.0, 1.0, 2.0, 3.0},
          {7.0, 4.0, {}, 6.0},
          {{}, 7.0, 8.0, QStringLiteral("nine")}}},
        {"onto itself", 1, 1, grid},
        {"down by two",
         3,
         1,
         {{1.0, 2.0, 3.0},
          {4.0, {}, 6.0},
          {1.0, 2.0, 3.0},
          {4.0, {}, 6.0},
          {7.0, 8.0, QStringLiteral("nine")}}},
    };
    for (const auto& c : cases) {
        Sheet sheet = sheetOf(grid);
        ASSERT_TRUE(sheet.copyRange(1, 1, 3, 3, sheet, c.destRow, c.destColumn)) << c.name;
        EXPECT_TRUE(sheet == sheetOf(c.expected)) << c.name << "\n" << sheet.toTsv().toStdString();
    }

    // Up and left: the block at (2,2)-(4,4) moves to (1,1); its empty centre clears (2,2)
    // and column 4 keeps what the copy did not reach.
    Sheet moved;
    ASSERT_TRUE(sheetOf(grid).copyRange(1, 1, 3, 3, moved, 2, 2));
    ASSERT_TRUE(moved.copyRange(4, 4, 2, 2, moved, 1, 1));
    EXPECT_TRUE(moved == sheetOf({{1.0, 2.0, 3.0, {}},
                                  {4.0, {}, 6.0, 3.0},
                                  {7.0, 8.0, QStringLiteral("nine"), 6.0},
                                  {{}, 7.0, 8.0, QStringLiteral("nine")}}))
        << moved.toTsv().toStdString();
}

TEST(Sheet, CopyRangeToAnotherSheetClearsWhatWasEmptyAndRespectsLimits) {
    const Sheet source = sheetOf({{1.0, {}}, {{}, QStringLiteral("b")}});
    Sheet dest = sheetOf({{QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x")},
                          {QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x")}});
    // The range reaches past the source's used range: those cells are empty and copied too.
    ASSERT_TRUE(source.copyRange(1, 1, 2, 3, dest, 1, 1));
    EXPECT_TRUE(dest == sheetOf({{1.0}, {{}, QStringLiteral("b")}})) << dest.toTsv().toStdString();
    EXPECT_EQ(source.lastRow(), 2);

    Sheet untouched = dest;
    EXPECT_FALSE(source.copyRange(1, 1, 2, 2, dest, Sheet::maxRows, 1));
    EXPECT_FALSE(source.copyRange(1, 1, 2, 2, dest, 1, Sheet::maxColumns));
    EXPECT_FALSE(source.copyRange(0, 1, 2, 2, dest, 1, 1));
    EXPECT_TRUE(dest == untouched);
    EXPECT_TRUE(source.copyRange(1, 1, 2, 2, dest, Sheet::maxRows - 1, Sheet::maxColumns - 1));
    EXPECT_EQ(dest.number(Sheet::maxRows - 1, Sheet::maxColumns - 1), 1.0);
}

TEST(Sheet, InsertsAndDeletesRowsAndColumns) {
    Sheet sheet = sheetOf({{1.0, 2.0}, {3.0, 4.0}, {5.0, 6.0}});
    ASSERT_TRUE(sheet.insertRows(2, 2));
    EXPECT_EQ(columnOf(sheet, 1, 5), (QStringList{"#1", "", "", "#3", "#5"}));
    ASSERT_TRUE(sheet.deleteRows(1, 3));
    EXPECT_EQ(columnOf(sheet, 2, 2), (QStringList{"#4", "#6"}));
    ASSERT_TRUE(sheet.insertColumns(1));
    EXPECT_EQ(sheet.lastColumn(), 3);
    EXPECT_TRUE(sheet.isEmpty(1, 1));
    EXPECT_EQ(sheet.number(1, 2), 3.0);
    ASSERT_TRUE(sheet.deleteColumns(2, 5));
    EXPECT_EQ(sheet.lastRow(), 0);

    // Deleting more rows than there are, or past the end, is fine; bad arguments are not.
    Sheet more = sheetOf({{1.0}, {2.0}});
    EXPECT_TRUE(more.deleteRows(2, 1000));
    EXPECT_EQ(more.lastRow(), 1);
    EXPECT_TRUE(more.deleteRows(50));
    EXPECT_FALSE(more.deleteRows(0));
    EXPECT_FALSE(more.insertRows(1, 0));
    more.setNumber(Sheet::maxRows, 1, 9);
    EXPECT_FALSE(more.insertRows(1)); // would push the last row off the sheet
    EXPECT_EQ(more.number(Sheet::maxRows, 1), 9.0);
}

TEST(Sheet, SortPutsNumbersBeforeTextsAndEmptiesLastAndIsStable) {
    // Column 1 is the key, column 2 tells the original row.
    const std::vector<std::vector<Value>> rows = {
        {3.0, QStringLiteral("r1")},
        {QStringLiteral("b"), QStringLiteral("r2")},
        {{}, QStringLiteral("r3")},
        {1.0, QStringLiteral("r4")},
        {QStringLiteral("A"), QStringLiteral("r5")},
        {-2.5, QStringLiteral("r6")},
        {QStringLiteral("a"), QStringLiteral("r7")},
        {1.0, QStringLiteral("r8")},
        {QStringLiteral("10"), QStringLiteral("r9")}, // a text, though it reads as a number
    };
    const struct {
        bool ascending;
        QStringList order;
    } cases[] = {
        {true, {"r6", "r4", "r8", "r1", "r9", "r5", "r7", "r2", "r3"}},
        {false, {"r2", "r5", "r7", "r9", "r1", "r4", "r8", "r6", "r3"}},
    };
    for (const auto& c : cases) {
        Sheet sheet = sheetOf(rows);
        ASSERT_TRUE(sheet.sort(1, 1, 9, 2, {{1, c.ascending}}));
        EXPECT_EQ(columnOf(sheet, 2, 9), c.order) << c.ascending;
    }
}

TEST(Sheet, SortByTwoKeysMovesOnlyTheRange) {
    Sheet sheet = sheetOf({
        {QStringLiteral("head"), QStringLiteral("head"), QStringLiteral("keep1")},
        {QStringLiteral("x"), 2.0, QStringLiteral("keep2")},
        {QStringLiteral("y"), 1.0, QStringLiteral("keep3")},
        {QStringLiteral("X"), 1.0, QStringLiteral("keep4")},
        {QStringLiteral("y"), 3.0, QStringLiteral("keep5")},
    });
    // Rows 2..5, columns 1..2: by column 1 ascending, then column 2 descending.
    ASSERT_TRUE(sheet.sort(2, 1, 5, 2, {{1, true}, {2, false}}));
    EXPECT_EQ(columnOf(sheet, 1, 5), (QStringList{"head", "x", "X", "y", "y"}));
    EXPECT_EQ(columnOf(sheet, 2, 5), (QStringList{"head", "#2", "#1", "#3", "#1"}));
    EXPECT_EQ(columnOf(sheet, 3, 5), (QStringList{"keep1", "keep2", "keep3", "keep4", "keep5"}));

    EXPECT_FALSE(sheet.sort(2, 1, 5, 2, {{3, true}})); // key outside the range
    EXPECT_FALSE(sheet.sort(2, 1, 5, 2, {}));
    // A range that reaches below the used rows sorts the used ones.
    ASSERT_TRUE(sheet.sort(2, 2, 1000, 2, {{2, true}}));
    EXPECT_EQ(columnOf(sheet, 2, 5), (QStringList{"head", "#1", "#1", "#2", "#3"}));
}

TEST(Sheet, SortKeepsNaNAfterNumbers) {
    Sheet sheet = sheetOf({{std::numeric_limits<double>::quiet_NaN()},
                           {2.0},
                           {-std::numeric_limits<double>::infinity()},
                           {QStringLiteral("t")},
                           {1.0}});
    ASSERT_TRUE(sheet.sort(1, 1, 5, 1, {{1, true}}));
    EXPECT_EQ(columnOf(sheet, 1, 5), (QStringList{"#-inf", "#1", "#2", "#nan", "t"}));
}

TEST(Sheet, TsvRoundTripsNastyTexts) {
    const QStringList nasty = {
        QStringLiteral("plain"),
        QStringLiteral("tab\there"),
        QStringLiteral("line\nbreak"),
        QStringLiteral("cr\r\nlf"),
        QStringLiteral("lone\rcr"),
        QStringLiteral("\"starts with a quote"),
        QStringLiteral("\""),
        QStringLiteral("\"\""),
        QStringLiteral("mid\"quote"),
        QStringLiteral("ends with quote\""),
        QStringLiteral("\"quoted\"\ttab"),
        QStringLiteral(" spaces "),
        QStringLiteral("'apostrophe"),
        QStringLiteral("Ünïcødé 日本語 😀"),
        QStringLiteral("\n"),
        QStringLiteral("\t"),
    };
    Sheet sheet;
    for (int i = 0; i < nasty.size(); ++i) {
        sheet.setText(i + 1, 1 + i % 3, nasty[i]);
        sheet.setText(i + 1, 4, nasty[nasty.size() - 1 - i]);
    }
    const QString tsv = sheet.toTsv();
    Sheet back;
    const auto extent = back.fromTsv(tsv, 1, 1, true);
    ASSERT_TRUE(extent.has_value());
    EXPECT_EQ(*extent, (Sheet::Extent{static_cast<int>(nasty.size()), 4}));
    EXPECT_TRUE(back == sheet) << tsv.toStdString();
}

TEST(Sheet, ToTsvWritesRectangularCrLfRows) {
    Sheet sheet = sheetOf({{1.0, QStringLiteral("x")},
                           {{}, QStringLiteral("a\tb")},
                           {},
                           {0.5, {}, QStringLiteral("\"q\"")}});
    EXPECT_EQ(sheet.toTsv(), QStringLiteral("1\tx\t\r\n"
                                            "\t\"a\tb\"\t\r\n"
                                            "\t\t\r\n"
                                            "0.5\t\t\"\"\"q\"\"\"\r\n"));
    EXPECT_EQ(sheet.toTsv(2, 2, 1, 1), QStringLiteral("1\tx\r\n\t\"a\tb\"\r\n"));
    EXPECT_EQ(sheet.toTsv(1, 5, 9, 9), QString());
    EXPECT_EQ(Sheet().toTsv(), QString());
}

TEST(Sheet, FromTsvReadsWhatPeoplePaste) {
    const struct {
        const char* name;
        const char* text;
        Sheet::Extent extent;
        QStringList column1; // 3 rows, "#" marks numbers
        QStringList column2;
    } cases[] = {
        {"LF rows, numbers detected", "1\ta\n2.5\tb\n", {2, 2}, {"#1", "#2.5", ""}, {"a", "b", ""}},
        {"CR LF, no final break", "x\t-3\r\ny\t1e3", {2, 2}, {"x", "y", ""}, {"#-3", "#1000", ""}},
        {"lone CR ends a line", "a\rb\rc", {3, 1}, {"a", "b", "c"}, {"", "", ""}},
        {"unclosed quote is literal", "\"abc\tz", {1, 2}, {"\"abc", "", ""}, {"z", "", ""}},
        {"text after a closing quote is kept",
         "\"ab\"c\td",
         {1, 2},
         {"abc", "", ""},
         {"d", "", ""}},
        {"quoted break", "\"l1\nl2\"\t2\n3", {2, 2}, {"l1\nl2", "#3", ""}, {"#2", "", ""}},
        {"empty lines are rows", "\n\nx\n", {3, 1}, {"", "", "x"}, {"", "", ""}},
        {"nothing", "", {0, 0}, {"", "", ""}, {"", "", ""}},
        {"decimal comma stays text", "1,5\t", {1, 2}, {"1,5", "", ""}, {"", "", ""}},
    };
    for (const auto& c : cases) {
        Sheet sheet;
        const auto extent = sheet.fromTsv(QString::fromUtf8(c.text));
        ASSERT_TRUE(extent.has_value()) << c.name;
        EXPECT_EQ(*extent, c.extent) << c.name;
        EXPECT_EQ(columnOf(sheet, 1, 3), c.column1) << c.name;
        EXPECT_EQ(columnOf(sheet, 2, 3), c.column2) << c.name;
    }
}

TEST(Sheet, FromTsvOverwritesOnlyWhatItCovers) {
    Sheet sheet = sheetOf({{QStringLiteral("o"), QStringLiteral("o"), QStringLiteral("o")},
                           {QStringLiteral("o"), QStringLiteral("o"), QStringLiteral("o")},
                           {QStringLiteral("o"), QStringLiteral("o"), QStringLiteral("o")}});
    ASSERT_TRUE(sheet.fromTsv(QStringLiteral("\tn\nn"), 2, 2).has_value());
    EXPECT_EQ(columnOf(sheet, 2, 3), (QStringList{"o", "", "n"}));
    EXPECT_EQ(columnOf(sheet, 3, 3), (QStringList{"o", "n", "o"}));
    EXPECT_FALSE(sheet.fromTsv(QStringLiteral("a\nb"), Sheet::maxRows, 1).has_value());
    EXPECT_FALSE(sheet.fromTsv(QStringLiteral("a\tb"), 1, Sheet::maxColumns).has_value());
    EXPECT_FALSE(sheet.fromTsv(QStringLiteral("a"), 0, 1).has_value());
    EXPECT_EQ(sheet.lastRow(), 3); // nothing written by the refused pastes
    EXPECT_EQ(sheet.text(1, 1), QStringLiteral("o"));
}

TEST(Sheet, FindInColumn) {
    const Sheet sheet = sheetOf(
        {{QStringLiteral("Name")}, {QStringLiteral("SiO2")}, {12.0}, {}, {QStringLiteral("sio2")}});
    const struct {
        const char* text;
        bool caseSensitive;
        int fromRow;
        int found;
    } cases[] = {
        {"SiO2", true, 1, 2},  {"sio2", true, 1, 5}, {"SIO2", false, 1, 2}, {"SIO2", true, 1, 0},
        {"sio2", false, 3, 5}, {"12", true, 1, 3},   {"", true, 1, 4},      {"absent", false, 1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sheet.findInColumn(1, QString::fromUtf8(c.text), c.caseSensitive, c.fromRow),
                  c.found)
            << c.text << " from " << c.fromRow;
    }
    EXPECT_EQ(sheet.findInColumn(2, QStringLiteral("SiO2"), false), 0);
}

TEST(Sheet, EqualityTellsNegativeZeroAndMatchesAnyNaN) {
    EXPECT_FALSE(sheetOf({{0.0}}) == sheetOf({{-0.0}}));
    EXPECT_TRUE(sheetOf({{std::numeric_limits<double>::quiet_NaN()}}) ==
                sheetOf({{-std::numeric_limits<double>::quiet_NaN()}}));
    EXPECT_FALSE(sheetOf({{1.0}}) == sheetOf({{QStringLiteral("1")}}));
    EXPECT_FALSE(sheetOf({{1.0}}) == sheetOf({{1.0, 2.0}}));
    Sheet copy = sheetOf({{QStringLiteral("a"), 1.0}});
    Sheet other = copy;
    other.setText(1, 1, QStringLiteral("b"));
    EXPECT_EQ(copy.text(1, 1), QStringLiteral("a")); // copies do not share cells
    EXPECT_FALSE(copy == other);
}
} // namespace

namespace {
TEST(Sheet, SortIsStableOnManyEqualKeys) {
    // Keys repeat (texts equal but for case, equal numbers, empties); column 2 holds the row.
    Sheet sheet;
    const int rows = 500;
    for (int row = 1; row <= rows; ++row) {
        switch ((row * 7) % 5) {
        case 0:
            sheet.setText(row, 1, row % 2 ? QStringLiteral("abc") : QStringLiteral("ABC"));
            break;
        case 1:
            sheet.setNumber(row, 1, 1.5);
            break;
        case 2:
            sheet.setText(row, 1, QStringLiteral("b"));
            break;
        case 3:
            sheet.setNumber(row, 1, -1);
            break;
        default:
            break; // empty
        }
        sheet.setNumber(row, 2, row);
    }
    for (const bool ascending : {true, false}) {
        Sheet sorted = sheet;
        ASSERT_TRUE(sorted.sort(1, 1, rows, 2, {{1, ascending}}));
        for (int row = 2; row <= rows; ++row) {
            const bool sameKey =
                sorted.text(row, 1).compare(sorted.text(row - 1, 1), Qt::CaseInsensitive) == 0 &&
                sorted.kind(row, 1) == sorted.kind(row - 1, 1);
            if (sameKey) {
                ASSERT_LT(*sorted.number(row - 1, 2), *sorted.number(row, 2))
                    << "row " << row << (ascending ? " ascending" : " descending");
            }
        }
        EXPECT_TRUE(sorted.isEmpty(rows, 1));
        EXPECT_EQ(sorted.text(1, 1), ascending ? QStringLiteral("-1") : QStringLiteral("b"));
    }
}
} // namespace
