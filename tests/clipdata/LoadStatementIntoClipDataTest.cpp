// Loading a statement's result into the active ClipData page on real engines.
#include "clipdata/LoadStatementIntoClipData.h"
#include "clipdata/ClassRangeRecorder.h"
#include "clipdata/ClipDataEngine.h"
#include "platform/HeadlessStatus.h"

namespace {

class LoadIntoClipData : public ClipDataEngine {
protected:
    ClipDataSheet clip;
    HeadlessStatus status;

    void SetUp() override {
        ClipDataEngine::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        run(QStringLiteral(
            "CREATE TABLE [Rocks] ([SampleNo] TEXT(10), [Rock] TEXT(20), [Au] DOUBLE)"));
        const char* rows[][3] = {{"S1", "Basalt", "0.5"},
                                 {"S2", "Basalt", nullptr},
                                 {"S3", "Gabbro", "4"},
                                 {"S4", nullptr, "7.25"}};
        for (const auto& r : rows)
            run(QStringLiteral("INSERT INTO [Rocks] ([SampleNo], [Rock], [Au]) VALUES (?, ?, ?)"),
                {CellValue::text(r[0]), r[1] ? CellValue::text(r[1]) : CellValue::null(),
                 r[2] ? CellValue::number(QByteArray(r[2]).toDouble()) : CellValue::null()});
    }
};

TEST_P(LoadIntoClipData, WritesHeadingsAndRowsWithNullAsEmptyCell) {
    clip.activePage().setText(9, 9, QStringLiteral("old"));
    const ClipDataLoadResult r = LoadStatementIntoClipData(
        QStringLiteral("SELECT SampleNo, Rock, Au FROM Rocks ORDER BY SampleNo"), *db, clip,
        status);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.rows, 4);
    const Sheet& page = clip.activePage();
    EXPECT_EQ(page.toTsv(), QStringLiteral("SampleNo\tRock\tAu\r\nS1\tBasalt\t0.5\r\n"
                                           "S2\tBasalt\t\r\nS3\tGabbro\t4\r\nS4\t\t7.25\r\n"));
    EXPECT_TRUE(page.isNumber(2, 3));
    EXPECT_TRUE(page.isEmpty(3, 3));
    EXPECT_EQ(status.texts(), (QStringList{"Retrieving...", Status::readyText()}));
}

TEST_P(LoadIntoClipData, FailingStatementLeavesPageAndClassesAsTheyWere) {
    clip.activePage().setText(1, 1, QStringLiteral("kept"));
    clip.setClassRanges({{QStringLiteral("A"), 2, 3}});
    for (const char* classifier : {"", "NoSuchField"}) {
        const QString sql = QString::fromUtf8(classifier).isEmpty()
                                ? QStringLiteral("SELECT Nothing FROM NoSuchTable")
                                : QStringLiteral("SELECT SampleNo FROM Rocks");
        const ClipDataLoadResult r =
            LoadStatementIntoClipData(sql, *db, clip, status, QString::fromUtf8(classifier));
        EXPECT_FALSE(r.ok) << classifier;
        EXPECT_FALSE(r.error.isEmpty()) << classifier;
        EXPECT_EQ(clip.activePage().toTsv(), QStringLiteral("kept\r\n")) << classifier;
        EXPECT_EQ(clip.classRanges().size(), 1u) << classifier;
    }
}

TEST_P(LoadIntoClipData, ClassifierRecordsRangesInSheetRows) {
    const ClipDataLoadResult r = LoadStatementIntoClipData(
        QStringLiteral("SELECT Rock, SampleNo FROM Rocks WHERE Rock IS NOT NULL ORDER BY Rock, "
                       "SampleNo"),
        *db, clip, status, QStringLiteral("rock"));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(clip.classRanges(), (std::vector<ClassRange>{{QStringLiteral("Basalt"), 2, 3},
                                                           {QStringLiteral("Gabbro"), 4, 4}}));
    // A later load without classes forgets them: they described rows that are gone.
    ASSERT_TRUE(
        LoadStatementIntoClipData(QStringLiteral("SELECT Rock FROM Rocks"), *db, clip, status).ok);
    EXPECT_TRUE(clip.classRanges().empty());
}

TEST_P(LoadIntoClipData, WritesIntoTheActivePageOnly) {
    clip.workbook().sheetAt(1)->setText(1, 1, QStringLiteral("first"));
    ASSERT_TRUE(clip.setActivePage(2));
    ASSERT_TRUE(
        LoadStatementIntoClipData(QStringLiteral("SELECT SampleNo FROM Rocks"), *db, clip, status)
            .ok);
    EXPECT_EQ(clip.workbook().sheetAt(1)->text(1, 1), QStringLiteral("first"));
    EXPECT_EQ(clip.workbook().sheetAt(2)->lastRow(), 5);
}

INSTANTIATE_TEST_SUITE_P(Engines, LoadIntoClipData,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

TEST(ClassRangeRecorder, FiftiethClassIsOthersAndTakesEveryLaterRow) {
    ClassRangeRecorder recorder;
    int row = 2;
    for (int c = 1; c <= 60; ++c)
        for (int k = 0; k < 2; ++k)
            recorder.add(row++, QStringLiteral("C%1").arg(c));
    const auto& ranges = recorder.ranges();
    ASSERT_EQ(ranges.size(), 50u);
    EXPECT_EQ(ranges[48], (ClassRange{QStringLiteral("C49"), 98, 99}));
    EXPECT_EQ(ranges[49], (ClassRange{ClassRangeRecorder::othersName(), 100, 121}));
}

TEST(ClassRangeRecorder, ReturningValueStartsANewClass) {
    ClassRangeRecorder recorder;
    const QStringList values{"A", "A", "B", "A", ""};
    for (int i = 0; i < values.size(); ++i)
        recorder.add(i + 2, values[i]);
    EXPECT_EQ(recorder.ranges(),
              (std::vector<ClassRange>{{"A", 2, 3}, {"B", 4, 4}, {"A", 5, 5}, {"", 6, 6}}));
}

TEST(ClipDataSheet, PagesActivePageAndClearAll) {
    ClipDataSheet clip;
    EXPECT_EQ(clip.pageCount(), ClipDataSheet::defaultPageCount);
    EXPECT_FALSE(clip.setActivePage(0));
    EXPECT_FALSE(clip.setActivePage(clip.pageCount() + 1));
    EXPECT_EQ(clip.activePageIndex(), 1);
    clip.workbook().renameSheet(ClipDataSheet::defaultPageName(1), QStringLiteral("Page4"));
    EXPECT_EQ(clip.addPage(), 4);
    EXPECT_EQ(clip.workbook().sheetNames(), (QStringList{"Page4", "Page2", "Page3", "Page5"}));
    ASSERT_TRUE(clip.setActivePage(4));
    clip.activePage().setNumber(1, 1, 3);
    clip.setClassRanges({{QStringLiteral("A"), 2, 2}});
    clip.clearAll();
    EXPECT_EQ(clip.pageCount(), 4);
    EXPECT_TRUE(clip.activePage().isBlank());
    EXPECT_TRUE(clip.classRanges().empty());
    clip.replaceWorkbook(Workbook{});
    EXPECT_EQ(clip.pageCount(), 1);
    EXPECT_EQ(clip.activePageIndex(), 1);
}

} // namespace
