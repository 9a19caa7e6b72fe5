#include "platform/qt/SheetTableModel.h"
#include "platform/Sheet.h"

#include <gtest/gtest.h>

TEST(SheetTableModel, ColumnLetters) {
    const std::vector<std::pair<int, const char*>> cases{
        {1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {702, "ZZ"}, {703, "AAA"}};
    for (const auto& [column, letters] : cases)
        EXPECT_EQ(SheetTableModel::columnLetters(column), QString::fromLatin1(letters)) << column;
}

TEST(SheetTableModel, EditsGoIntoTheSheetAndTheSpareAreaGrows) {
    Sheet sheet;
    ASSERT_TRUE(sheet.fromTsv(QStringLiteral("SampleNo\tAu\nS1\t1.5\n")));
    SheetTableModel model(&sheet);
    EXPECT_EQ(model.rowCount(), 2 + SheetTableModel::spareRows);
    EXPECT_EQ(model.columnCount(), 2 + SheetTableModel::spareColumns);
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), QStringLiteral("1.5"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("B"));

    ASSERT_TRUE(model.setData(model.index(1, 1), QStringLiteral("54.599999999999994")));
    EXPECT_EQ(sheet.number(2, 2), 54.599999999999994);
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), QStringLiteral("54.6"));
    EXPECT_EQ(model.data(model.index(1, 1), Qt::EditRole).toString(),
              QStringLiteral("54.599999999999994"));
    ASSERT_TRUE(model.setData(model.index(1, 0), QStringLiteral("0012x")));
    EXPECT_FALSE(sheet.isNumber(2, 1));
    ASSERT_TRUE(model.setData(model.index(1, 1), QString()));
    EXPECT_TRUE(sheet.isEmpty(2, 2));
    // Typing into the spare area makes room for more.
    ASSERT_TRUE(model.setData(model.index(9, 4), QStringLiteral("x")));
    EXPECT_EQ(model.rowCount(), 10 + SheetTableModel::spareRows);
    EXPECT_EQ(model.columnCount(), 5 + SheetTableModel::spareColumns);
}

TEST(SheetTableModel, CopiesTheSelectionsBoundingRectangle) {
    Sheet sheet;
    ASSERT_TRUE(sheet.fromTsv(QStringLiteral("SampleNo\tAu\tCu\nS1\t1.5\t20\nS2\t0.5\t30\n")));
    SheetTableModel model(&sheet);
    struct Case {
        QList<std::pair<int, int>> cells;
        const char* tsv;
    };
    const std::vector<Case> cases{
        {{}, ""},
        {{{1, 1}}, "1.5"},
        // Two corners stand for the rectangle between them, in either order.
        {{{2, 2}, {1, 1}}, "1.5\t20\r\n0.5\t30"},
        {{{0, 2}, {2, 0}}, "SampleNo\tAu\tCu\r\nS1\t1.5\t20\r\nS2\t0.5\t30"},
    };
    for (const Case& c : cases) {
        QModelIndexList cells;
        for (const auto& [row, column] : c.cells)
            cells << model.index(row, column);
        EXPECT_EQ(model.rectangleTsv(cells).trimmed(), QString::fromLatin1(c.tsv)) << c.tsv;
    }
}
