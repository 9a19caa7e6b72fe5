// The ClipData window's controller over a real session database on both engines: loading a
// grid's statement, the mail hand-over, making a table of the page and the macro verbs.
#include "clipdata/ClipDataWindow.h"
#include "filter/FilterSession.h"

#include <QFile>

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

TEST_P(ClipDataWindowTest, LoadsTheStatementOfAStatementFile) {
    const auto write = [this](const char* name, const QByteArray& text) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    };
    const QString good = write("rich.sql", "SELECT [SampleID], [Au]\r\nFROM [Rocks]\n"
                                           "WHERE [Au] > 5 ORDER BY [SampleID];\n\n");
    const QString empty = write("empty.txt", " \n;\n");
    const QString missing = dir.filePath(QStringLiteral("missing.sql"));
    const QString bad = write("bad.sql", "SELECT [Nothing] FROM [Nowhere]");
    const QStringList rich{"SampleID\tAu", "S1\t12", "S6\t7", "S7\t8", "S8\t9"};
    const auto shown = [this] {
        return page().toTsv().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    };

    dialogs.queueText(good);
    ASSERT_TRUE(clip->openStatementFile()) << dialogs.texts().join('\n').toStdString();
    ASSERT_EQ(dialogs.log().size(), 1u); // the file box, nothing else
    EXPECT_EQ(dialogs.log()[0].shown, ScriptedDialogs::Shown::OpenFile);
    EXPECT_EQ(dialogs.log()[0].text, QStringLiteral("Open statement file"));
    EXPECT_EQ(shown(), rich);

    // Each failure says why and leaves the page with the rows it had.
    const struct {
        QString path;
        QString message;
    } failures[] = {
        {empty, QStringLiteral("The file ") + empty + QStringLiteral(" holds no statement")},
        {missing, QStringLiteral("The file ") + missing + QStringLiteral(" cannot be read: ")},
        {bad, QStringLiteral("Error in retrieving data:\r\n")},
    };
    for (const auto& f : failures) {
        dialogs.clearLog();
        EXPECT_FALSE(clip->loadStatementFile(f.path)) << f.path.toStdString();
        ASSERT_EQ(dialogs.texts().size(), 1) << f.path.toStdString();
        EXPECT_TRUE(dialogs.texts()[0].startsWith(f.message)) << dialogs.texts()[0].toStdString();
        EXPECT_EQ(shown(), rich);
    }
    dialogs.clearLog();
    dialogs.queueCancel();
    EXPECT_FALSE(clip->openStatementFile());
    EXPECT_EQ(dialogs.texts().size(), 1); // only the file box
}

TEST_P(ClipDataWindowTest, TheFirstKeyMarkChecksThePageAndTellsHowKeysAreMarked) {
    const QString howTo = QStringLiteral(
        "Data has to be rowwise, and there has to be one or several KEY fields in the worksheet");
    EXPECT_FALSE(clip->markKey(1));
    EXPECT_EQ(dialogs.texts(), QStringList{"No data. Can not make a table before there is data."});
    EXPECT_TRUE(clip->tableMaker().keyColumns().empty());

    ASSERT_TRUE(clip->copyFromGrid(QStringLiteral("SELECT [SampleID], [Au] FROM [Rocks]")));
    const struct {
        int column;
        std::vector<int> keys;
        bool told; // the how-to message came with this click
    } clicks[] = {
        {2, {2}, true},
        {1, {2, 1}, false},
        {2, {1}, false},
        {1, {}, false},
        // Marking starts anew once every mark is taken away.
        {1, {1}, true},
    };
    for (const auto& c : clicks) {
        dialogs.clearLog();
        EXPECT_TRUE(clip->markKey(c.column));
        EXPECT_EQ(clip->tableMaker().keyColumns(), c.keys) << c.column;
        EXPECT_EQ(dialogs.texts(), c.told ? QStringList{howTo} : QStringList{}) << c.column;
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, ClipDataWindowTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
