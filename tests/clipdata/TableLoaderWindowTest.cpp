// The table loader over the linked sample database: the rows land in ClipData's active page.
#include "clipdata/TableLoaderWindow.h"
#include "clipdata/ClipDataSheet.h"
#include "platform/ScriptedDialogs.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"
#include "query/LinkedSampleDatabase.h"
#include "query/LoadTablesSql.h"

namespace {

class TableLoader : public LinkedSampleDatabase {
protected:
    ClipDataSheet clip;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    std::unique_ptr<FilterBaseResolver> resolver;
    std::unique_ptr<LinkSearch> links;
    std::unique_ptr<TableLoaderWindow> window;

    void SetUp() override {
        LinkedSampleDatabase::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        resolver = std::make_unique<FilterBaseResolver>(*db, catalogue);
        links = std::make_unique<LinkSearch>(catalogue, *resolver);
        window = std::make_unique<TableLoaderWindow>(*links, *db, clip, dialogs, status);
    }
};

TEST_P(TableLoader, LeftJoinKeepsEveryBaseRow) {
    window->selected = QStringList{"Samples", "Chem"};
    window->setLeftJoin(true);
    EXPECT_EQ(window->leftJoinBase, QStringLiteral("Samples"));
    EXPECT_EQ(window->leftJoinChoices(), window->selected);
    ASSERT_TRUE(window->load()) << dialogs.texts().join("\n").toStdString();
    EXPECT_EQ(clip.activePage().lastRow(), 5); // headings and four samples
    window->setLeftJoin(false);
    ASSERT_TRUE(window->load());
    EXPECT_EQ(clip.activePage().lastRow(), 3); // only the samples with chemistry
}

TEST_P(TableLoader, FilterRestrictsRows) {
    window->selected = QStringList{"Samples"};
    window->filterOn = true;
    window->filter = QStringLiteral("Gold");
    ASSERT_TRUE(window->load()) << dialogs.texts().join("\n").toStdString();
    EXPECT_EQ(clip.activePage().lastRow(), 1 + 3); // S2 twice and S3 have Au > 1
}

TEST_P(TableLoader, NothingSelectedLeavesThePage) {
    clip.activePage().setText(1, 1, QStringLiteral("kept"));
    EXPECT_FALSE(window->load());
    EXPECT_EQ(dialogs.texts(), QStringList{LoadTablesSql::noTablesMessage()});
    EXPECT_EQ(clip.activePage().toTsv(), QStringLiteral("kept\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Engines, TableLoader, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         engineName);

} // namespace
