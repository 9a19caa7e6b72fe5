// The ClipData window's controller over a real session database on both engines: loading a
// grid's statement, the mail hand-over, making a table of the page and the macro verbs.
#include "clipdata/ClipDataWindow.h"
#include "filter/FilterSession.h"

namespace {

class ClipDataWindowTest : public FilterSession {
protected:
    std::unique_ptr<ClipDataWindow> clip;

    void SetUp() override {
        FilterSession::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        clip = std::make_unique<ClipDataWindow>(*session, dialogs, status,
                                                dir.filePath(QStringLiteral("lastfiles.ini")));
        dialogs.clearLog();
    }
    const Sheet& page() { return clip->sheet().activePage(); }
};

TEST_P(ClipDataWindowTest, CopiesAGridsRowsAndTakesTheHandOver) {
    ASSERT_TRUE(clip->copyFromGrid(
        QStringLiteral("SELECT [SampleID], [Au] FROM [Rocks] WHERE [Au] > 5 ORDER BY [SampleID]")));
    EXPECT_EQ(page().toTsv().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts),
              (QStringList{"SampleID\tAu", "S1\t12", "S6\t7", "S7\t8", "S8\t9"}));

    ASSERT_TRUE(
        clip->HaeClipAvaaPB(QStringLiteral("SELECT [HoleID] FROM [Holes] ORDER BY [HoleID]"),
                            QStringLiteral("/tmp/book.apb"), QStringLiteral("GEO")));
    EXPECT_EQ(clip->title(), QStringLiteral("GEO"));
    EXPECT_EQ(page().lastRow(), 3);
    const QStringList& shown = status.texts();
    EXPECT_TRUE(shown.contains(QStringLiteral("Retrieving data...")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Opening picture book \r\n/tmp/book.apb")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Ready")));

    // A statement that fails says so and leaves the page as it was.
    EXPECT_FALSE(clip->load(QStringLiteral("SELECT [Nothing] FROM [Nowhere]")));
    EXPECT_EQ(page().lastRow(), 3);
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QStringLiteral("Error in retrieving data:")));
}

TEST_P(ClipDataWindowTest, MakesATableOfThePageInTheSessionDatabase) {
    ASSERT_TRUE(clip->copyFromGrid(QStringLiteral("SELECT [SampleID], [Au] FROM [Rocks]")));
    ASSERT_TRUE(clip->runCommand(QStringLiteral("CREATEIDCOL")));
    EXPECT_EQ(page().text(1, 1), QStringLiteral("ID"));
    ASSERT_TRUE(clip->tableMaker().toggleKey(2)); // SampleID
    dialogs.queueAnswer(Answer::Yes);             // go on without a key named SampleNo
    dialogs.queueAnswer(Answer::Yes);             // create the table now
    dialogs.queueText(QStringLiteral("RockCopy"));
    ASSERT_TRUE(clip->makeTable()) << dialogs.texts().join(QStringLiteral(" / ")).toStdString();
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("Table added"));
    EXPECT_EQ(rows("SELECT [SampleID], [Au] FROM [RockCopy] WHERE [Au] > 8"),
              (QStringList{"S1|12", "S8|9"}));
    EXPECT_FALSE(clip->runCommand(QStringLiteral("FLY AWAY")));
}

INSTANTIATE_TEST_SUITE_P(Engines, ClipDataWindowTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
