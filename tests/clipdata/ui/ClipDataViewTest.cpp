// The ClipData window on the offscreen platform: pages as tabs, the active page in the table,
// key marks by heading clicks, and edits into the sheet.
#include "clipdata/ui/ClipDataView.h"
#include "clipdata/ClipDataWindow.h"
#include "filter/FilterSession.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QTabBar>
#include <QTableView>

namespace {

class ClipDataViewTest : public FilterSession {};

TEST_P(ClipDataViewTest, ShowsPagesMarksKeysAndTakesEdits) {
    ClipDataWindow clip(*session, dialogs, status, dir.filePath(QStringLiteral("lastfiles.ini")));
    ASSERT_TRUE(clip.load(QStringLiteral("SELECT * FROM [Rocks] ORDER BY [SampleID]")));
    ClipDataView view(clip);
    view.resize(700, 420);
    view.show();
    auto* tabs = view.findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), clip.sheet().pageCount());
    QTableView* table = view.table();
    EXPECT_EQ(table->model()->data(table->model()->index(1, 1)).toString(),
              QStringLiteral("Granite"));

    emit table->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(clip.tableMaker().keyColumns(), std::vector<int>{1});
    bool shown = false;
    for (QLabel* l : view.findChildren<QLabel*>())
        shown = shown || l->text() == QStringLiteral("Key fields: A");
    EXPECT_TRUE(shown);

    ASSERT_TRUE(table->model()->setData(table->model()->index(1, 2), QStringLiteral("13.5")));
    EXPECT_EQ(clip.sheet().activePage().number(2, 3), 13.5);
    tabs->setCurrentIndex(1);
    EXPECT_EQ(clip.sheet().activePageIndex(), 2);
    tabs->setCurrentIndex(0);

    const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
    QDir().mkpath(out);
    EXPECT_TRUE(view.grab().toImage().save(out + QStringLiteral("/clipdata-view.png")));
}

INSTANTIATE_TEST_SUITE_P(Engines, ClipDataViewTest, ::testing::Values(Engine::Sqlite), engineName);

} // namespace
