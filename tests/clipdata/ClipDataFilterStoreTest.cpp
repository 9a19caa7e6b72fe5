// ClipData filters made through the filter window with its "ClipData" box set: stored in the
// workbook's "Filters" page, applied to the page's rows, the database left alone.
#include "clipdata/ClipDataFilterStore.h"
#include "clipdata/ClipDataSheet.h"
#include "filter/FilterSession.h"
#include "filter/FilterWindow.h"

namespace {

class ClipDataFilterWindow : public FilterSession {
protected:
    ClipDataSheet clip;
    std::unique_ptr<ClipDataFilterStore> store;
    std::unique_ptr<FilterWindow> window;

    void SetUp() override {
        FilterSession::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        clip.activePage().fromTsv(QStringLiteral(
            "SampleNo\tRock\tAu\nS1\tGranite\t0.5\nS2\tbasalt\t12\nS3\tGRANITE\t3\nS4\t\t2\n"));
        store = std::make_unique<ClipDataFilterStore>(clip, dialogs);
        window = std::make_unique<FilterWindow>(*session, dialogs, status);
        window->attachClipData(store.get());
        window->clipData = true;
    }

    bool make(const char* sheet, const char* column, const char* op, const char* value,
              const char* name) {
        window->table = QString::fromUtf8(sheet);
        window->field = QString::fromUtf8(column);
        window->setOperator(QString::fromUtf8(op));
        window->value = QString::fromUtf8(value);
        window->name = QString::fromUtf8(name);
        return window->makeFilter();
    }
};

TEST_P(ClipDataFilterWindow, FiltersAreStoredAndSelectRows) {
    const QStringList before = window->filters();
    ASSERT_TRUE(make("Page1", "au", ">", "2", "RichAu"));
    ASSERT_TRUE(make("Page1", "Rock", "=", "granite", "Granites"));
    EXPECT_EQ(dialogs.texts().last(),
              QStringLiteral("Filter created for Clipdata! (2 filters existing.)"));
    EXPECT_EQ(store->rowsPassing(QStringLiteral("RichAu")), (std::vector<int>{3, 4}));
    EXPECT_EQ(store->rowsPassing(QStringLiteral("granites")), (std::vector<int>{2, 4}));
    // Remade under its name: redefined, not doubled.
    ASSERT_TRUE(make("Page1", "Au", "<=", "2", "RichAu"));
    EXPECT_EQ(store->rowsPassing(QStringLiteral("RichAu")), (std::vector<int>{2, 5}));
    EXPECT_EQ(store->filters().size(), 2u);
    EXPECT_EQ(window->filters(), before); // nothing went to the database

    // Kept in the workbook, so they travel with its file.
    const auto reloaded = Workbook::parseUtf8(clip.workbook().toUtf8());
    ASSERT_TRUE(reloaded.ok());
    ClipDataSheet other;
    other.replaceWorkbook(*reloaded.workbook);
    EXPECT_EQ(ClipDataFilterStore(other, dialogs).filters(), store->filters());
}

TEST_P(ClipDataFilterWindow, AutoFiltersOnePerDistinctValue) {
    window->table = QStringLiteral("Page1");
    window->field = QStringLiteral("Rock");
    window->prefix = QStringLiteral("R_");
    ASSERT_TRUE(window->makeAutoFilters());
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("2 filters done!"));
    EXPECT_EQ(store->rowsPassing(QStringLiteral("R_Granite")), (std::vector<int>{2, 4}));
    EXPECT_EQ(store->rowsPassing(QStringLiteral("R_basalt")), (std::vector<int>{3}));
}

TEST_P(ClipDataFilterWindow, MissingPageColumnOrOperatorMakesNoFilter) {
    EXPECT_FALSE(make("NoPage", "Au", "=", "1", "A"));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("No ClipData sheet NoPage"));
    EXPECT_FALSE(make("Page1", "Cu", "=", "1", "A"));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("No column Cu in ClipData sheet Page1"));
    EXPECT_FALSE(make("Page1", "Au", "Like", "1*", "A"));
    EXPECT_FALSE(make("Filters", "Sheet", "=", "x", "A"));
    EXPECT_TRUE(store->filters().empty());
    EXPECT_FALSE(store->rowsPassing(QStringLiteral("A")));
}

INSTANTIATE_TEST_SUITE_P(Engines, ClipDataFilterWindow, ::testing::Values(Engine::Sqlite),
                         engineName);

} // namespace
