// The sheet tools and the command verbs on ClipData's active page, with scripted answers.
#include "clipdata/ClipDataSheetTools.h"
#include "clipdata/ClipDataCommands.h"
#include "clipdata/ClipDataFiles.h"
#include "clipdata/ClipDataSheet.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SheetTools : public ::testing::Test {
protected:
    ClipDataSheet clip;
    ScriptedDialogs dialogs;
    ClipDataSheetTools tools{clip, dialogs};
    Sheet& page() { return clip.activePage(); }
    void fill(const char* tsv) {
        page().clear();
        page().fromTsv(QString::fromUtf8(tsv));
    }
};

TEST_F(SheetTools, ParseCutsColumnOneAndKeepsEmptyPieces) {
    fill("a;b;;c\n 1 ; x\n");
    dialogs.queueText(QStringLiteral(";"));
    dialogs.queueAnswer(Answer::No);
    ASSERT_TRUE(tools.Parse());
    EXPECT_EQ(page().toTsv(), QStringLiteral("a\tb\t\tc\r\n1\t x\t\t\r\n"));
    EXPECT_TRUE(page().isNumber(2, 1)); // " 1 " reads as a number either way
    fill(" p ; q \n");
    dialogs.queueText(QStringLiteral(";"));
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(tools.Parse());
    EXPECT_EQ(page().toTsv(), QStringLiteral("p\tq\r\n"));
}

TEST_F(SheetTools, CancelsLeaveThePageAsItWas) {
    fill("a;b\tz\n3\t4\n");
    const Sheet before = page();
    dialogs.queueText(QString()); // empty separator
    EXPECT_FALSE(tools.Parse());
    dialogs.queueText(QStringLiteral(";"));
    dialogs.queueAnswer(Answer::Cancel);
    EXPECT_FALSE(tools.Parse());
    dialogs.queueCancel();
    EXPECT_FALSE(tools.NameColumn(1));
    dialogs.queueCancel();
    EXPECT_FALSE(tools.TransferHeaderRow());
    dialogs.queueCancel();
    EXPECT_FALSE(tools.AppendToHeaderRow());
    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(tools.CopyDown(1, 1, 2, 2));
    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(tools.CopyRight(1, 1, 2, 2));
    EXPECT_EQ(page(), before);
}

TEST_F(SheetTools, ColumnNamesAreUnique) {
    fill("Au\tCu\n1\t2\n");
    dialogs.queueText(QStringLiteral("au"));
    EXPECT_FALSE(tools.NameColumn(2));
    EXPECT_EQ(dialogs.texts().last(),
              QStringLiteral("Column name has to be unique (this name already exists in column "
                             "1)."));
    dialogs.queueText(QStringLiteral("Ag"));
    EXPECT_TRUE(tools.NameColumn(2));
    dialogs.queueText(QStringLiteral("Au")); // its own name again
    EXPECT_TRUE(tools.NameColumn(1));
    EXPECT_EQ(page().toTsv(1, 1, 1, 2), QStringLiteral("Au\tAg\r\n"));
}

TEST_F(SheetTools, HeaderRowTransferAndAppend) {
    fill("x\ty\nunit\tppm\nA\tB\n1\t2\n");
    dialogs.queueText(QStringLiteral("3"));
    ASSERT_TRUE(tools.TransferHeaderRow());
    EXPECT_EQ(page().toTsv(), QStringLiteral("A\tB\r\nunit\tppm\r\n1\t2\r\n"));
    dialogs.queueText(QStringLiteral("2"));
    ASSERT_TRUE(tools.AppendToHeaderRow());
    dialogs.queueText(QStringLiteral("_x"));
    ASSERT_TRUE(tools.AppendToHeaderRow());
    EXPECT_EQ(page().toTsv(1, 1, 1, 2), QStringLiteral("Aunit_x\tBppm_x\r\n"));
    dialogs.queueText(QStringLiteral("0")); // the default: no such row
    EXPECT_FALSE(tools.AppendToHeaderRow());
}

TEST_F(SheetTools, IdColumnNumbersRowsByPosition) {
    fill("Name\nb\n\na\n");
    tools.CreateIdColumn();
    EXPECT_EQ(page().toTsv(), QStringLiteral("ID\tName\r\n1\tb\r\n2\t\r\n3\ta\r\n"));
}

TEST_F(SheetTools, CopyDownAndRightFillTheSelection) {
    fill("1\t2\t3\n4\t5\t6\n7\t8\t9\n");
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(tools.CopyDown(3, 2, 1, 3)); // corners in any order
    EXPECT_EQ(page().toTsv(), QStringLiteral("1\t2\t3\r\n4\t2\t3\r\n7\t2\t3\r\n"));
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(tools.CopyRight(1, 1, 2, 2));
    EXPECT_EQ(page().toTsv(), QStringLiteral("1\t1\t3\r\n4\t4\t3\r\n7\t2\t3\r\n"));
}

TEST_F(SheetTools, ZoomKeepsOnlyValuesInRange) {
    for (const auto& [text, accepted, kept] :
         std::vector<std::tuple<const char*, bool, int>>{{"10", true, 10},
                                                         {"400", true, 400},
                                                         {"9", false, 400},
                                                         {"401", false, 400},
                                                         {"x", false, 400},
                                                         {"150", true, 150}}) {
        dialogs.queueText(QString::fromUtf8(text));
        EXPECT_EQ(tools.Zoom(), accepted) << text;
        EXPECT_EQ(tools.zoom(), kept) << text;
    }
}

TEST_F(SheetTools, CommandVerbs) {
    QTemporaryDir dir;
    HeadlessStatus status;
    ClipDataFiles files{clip, dialogs, status, dir.filePath(QStringLiteral("lastfiles.ini"))};
    ClipDataCommands commands{files, tools};
    fill("Name\nb\n");
    EXPECT_TRUE(commands.run(QStringLiteral("createidcol"), QString()));
    EXPECT_TRUE(commands.run(QStringLiteral("FIRSTISHEADERROW"), QString()));
    const QString path = dir.filePath(QStringLiteral("c.csv"));
    EXPECT_TRUE(commands.run(QStringLiteral("SAVE"), QStringLiteral("  ") + path));
    page().clear();
    EXPECT_TRUE(commands.run(QStringLiteral("Open"), path));
    EXPECT_EQ(page().toTsv(), QStringLiteral("ID\tName\r\n1\tb\r\n"));
    EXPECT_FALSE(commands.run(QStringLiteral("SAVE"), QString()));
    EXPECT_FALSE(commands.run(QStringLiteral("FROB"), QString()));
}

} // namespace
