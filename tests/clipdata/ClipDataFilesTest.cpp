// ClipData's files on disk: each format read back, the questions, and the last-opened memory.
#include "clipdata/ClipDataFiles.h"
#include "app/RecentFiles.h"
#include "clipdata/ClipDataSheet.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ClipDataFilesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ClipDataSheet clip;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    QString ini = dir.filePath(QStringLiteral("ini/lastfiles.ini"));
    ClipDataFiles files{clip, dialogs, status, ini};

    void SetUp() override {
        clip.activePage().fromTsv(QStringLiteral("Name\tAu\nS1, \"a\"\t0.5\nline\nbreak\t-3\n"));
        clip.activePage().setText(4, 1, QStringLiteral("two\nlines"));
        clip.workbook().sheetAt(2)->setText(1, 1, QStringLiteral("second page"));
    }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

TEST_F(ClipDataFilesTest, EachFormatReadsBackWhatWasSaved) {
    for (const char* name : {"p.txt", "p.csv", "p.qwb", "p.xlsx"}) {
        ASSERT_TRUE(files.savePath(path(name))) << name << dialogs.texts().join("").toStdString();
        const Workbook saved = clip.workbook();
        ClipDataSheet reopened;
        ClipDataFiles other{reopened, dialogs, status, ini};
        ASSERT_TRUE(other.openPath(path(name))) << name;
        EXPECT_EQ(reopened.activePage(), *saved.sheetAt(1)) << name;
        const bool allPages = !QString::fromUtf8(name).endsWith(QLatin1String(".txt")) &&
                              !QString::fromUtf8(name).endsWith(QLatin1String(".csv"));
        EXPECT_EQ(reopened.workbook() == saved, allPages) << name;
        EXPECT_EQ(RecentFiles(ini).entries(QStringLiteral("ClipData")).value(0), path(name));
    }
}

TEST_F(ClipDataFilesTest, SavingOnePageAsksFirst) {
    dialogs.queueText(path("q.txt"));
    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(files.Save());
    EXPECT_FALSE(QFile::exists(path("q.txt")));
    EXPECT_EQ(dialogs.texts().last(),
              QStringLiteral("This will save only the active worksheet. Save as xls or vts if you "
                             "want to save all worksheets\r\nContinue anyway?"));
    dialogs.queueText(path("q.qwb")); // all pages: no question
    EXPECT_TRUE(files.Save());
    EXPECT_TRUE(QFile::exists(path("q.qwb")));
}

TEST_F(ClipDataFilesTest, ReopenAndNewAskAndNoChangesNothing) {
    const Workbook before = clip.workbook();
    EXPECT_FALSE(files.Reopen()); // nothing remembered: the open box, cancelled
    EXPECT_EQ(dialogs.texts().first(), QStringLiteral("No file existing in the last-opened "
                                                      "memory. Prompting to open file."));
    ASSERT_TRUE(files.savePath(path("r.qwb")));
    RecentFiles(ini).add(path("r.qwb"), QStringLiteral("ClipData"));
    clip.activePage().setText(1, 1, QStringLiteral("changed"));
    const Workbook changed = clip.workbook();
    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(files.Reopen());
    EXPECT_EQ(clip.workbook(), changed);
    EXPECT_EQ(dialogs.texts().last(),
              QStringLiteral("Are you sure to overwrite current ClipData with the content of a "
                             "file ") +
                  path("r.qwb") + QStringLiteral(" ?"));
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_TRUE(files.Reopen());
    EXPECT_EQ(clip.workbook(), before);

    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(files.New());
    EXPECT_EQ(clip.workbook(), before);
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_TRUE(files.New());
    EXPECT_EQ(clip.pageCount(), before.sheetCount());
    EXPECT_TRUE(clip.workbook().sheetAt(2)->isBlank());
}

TEST_F(ClipDataFilesTest, BrokenFileLeavesThePageAsItWas) {
    QFile bad(path("bad.csv"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("a,\"open\n");
    bad.close();
    const Workbook before = clip.workbook();
    EXPECT_FALSE(files.openPath(path("bad.csv")));
    EXPECT_FALSE(files.openPath(path("missing.qwb")));
    EXPECT_EQ(clip.workbook(), before);
    EXPECT_TRUE(RecentFiles(ini).entries(QStringLiteral("ClipData")).value(0).isEmpty());
}

} // namespace

namespace {

TEST_F(ClipDataFilesTest, ExcelFileHoldsEveryPageWithoutAsking) {
    clip.workbook().renameSheet(ClipDataSheet::defaultPageName(3), QStringLiteral("bad/name"));
    dialogs.queueText(path("all.xlsx"));
    ASSERT_TRUE(files.Save()) << dialogs.texts().join("").toStdString();
    for (const ScriptedDialogs::Entry& e : dialogs.log()) // all pages: no question
        EXPECT_NE(e.shown, ScriptedDialogs::Shown::Question) << e.text.toStdString();
    QFile file(path("all.xlsx"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray zip = file.readAll();
    EXPECT_TRUE(zip.startsWith("PK"));
    // Part names are stored uncompressed in the archive's directory.
    for (const char* part : {"xl/worksheets/sheet1.xml", "xl/worksheets/sheet3.xml"})
        EXPECT_TRUE(zip.contains(part)) << part;
    EXPECT_FALSE(QFile::exists(path("all.xlsx.part")));
    const Workbook saved = clip.workbook();
    clip.replaceWorkbook(Workbook());
    ASSERT_TRUE(files.openPath(path("all.xlsx")));
    EXPECT_EQ(clip.workbook().sheetNames().value(2), QStringLiteral("Page3"));
    EXPECT_EQ(*clip.workbook().sheetAt(1), *saved.sheetAt(1));
}

TEST_F(ClipDataFilesTest, AnExcel97FileReplacesEveryPageAndIsNeverWritten) {
    const QString xls = testpaths::testData(QStringLiteral("assays.xls"));
    dialogs.queueText(xls);
    ASSERT_TRUE(files.Open()) << dialogs.texts().join("").toStdString();
    EXPECT_EQ(clip.workbook().sheetNames().value(0), QStringLiteral("Assays"));
    EXPECT_EQ(clip.activePage().text(1, 1), QStringLiteral("SampleNo"));
    EXPECT_EQ(RecentFiles(ini).entries(QStringLiteral("ClipData")).value(0), xls);

    const Workbook before = clip.workbook();
    dialogs.queueText(path("copy.xls"));
    EXPECT_FALSE(files.Save());
    EXPECT_FALSE(QFile::exists(path("copy.xls")));
    EXPECT_TRUE(dialogs.texts().last().contains(QStringLiteral("save as .xlsx")));
    EXPECT_EQ(clip.workbook(), before);
}

} // namespace
