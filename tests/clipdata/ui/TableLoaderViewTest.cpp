// The table loader window on the offscreen platform: the lists come from the catalogue, the
// checks enable their boxes, and the load button puts the rows into ClipData.
#include "clipdata/ui/TableLoaderView.h"
#include "clipdata/ClipDataSheet.h"
#include "clipdata/TableLoaderWindow.h"
#include "platform/ScriptedDialogs.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"
#include "query/LinkedSampleDatabase.h"
#include "query/LoadTablesSql.h"
#include "support/TestPaths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QPushButton>

namespace {

class TableLoaderViewTest : public LinkedSampleDatabase {};

QStringList items(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

TEST_P(TableLoaderViewTest, ChecksEnableTheirBoxesAndLoadFillsClipData) {
    ClipDataSheet clip;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    FilterBaseResolver resolver(*db, catalogue);
    LinkSearch links(catalogue, resolver);
    TableLoaderWindow window(links, *db, clip, dialogs, status);
    TableLoaderView view(window, catalogue);
    view.resize(420, 480);
    view.show();
    int loaded = 0;
    QObject::connect(&view, &TableLoaderView::loaded, [&] { ++loaded; });

    QListWidget* tables = view.tables();
    ASSERT_EQ(tables->count(), catalogue.tableNames().size());
    EXPECT_FALSE(view.leftJoinBase()->isEnabled());
    EXPECT_FALSE(view.filters()->isEnabled());
    EXPECT_TRUE(items(view.filters()).contains(QStringLiteral("Gold")));

    clip.activePage().setText(1, 1, QStringLiteral("kept"));
    view.loadButton()->click();
    EXPECT_EQ(dialogs.texts(), QStringList{LoadTablesSql::noTablesMessage()});
    EXPECT_EQ(clip.activePage().toTsv(), QStringLiteral("kept\r\n"));
    EXPECT_EQ(loaded, 0);

    for (const QString& name : {QStringLiteral("Samples"), QStringLiteral("Chem")})
        tables->findItems(name, Qt::MatchExactly).front()->setSelected(true);
    view.leftJoin()->setChecked(true);
    EXPECT_TRUE(view.leftJoinBase()->isEnabled());
    // The base box offers the selected tables in list order, the first preselected.
    QStringList selected;
    for (int i = 0; i < tables->count(); ++i)
        if (tables->item(i)->isSelected())
            selected << tables->item(i)->text();
    EXPECT_EQ(items(view.leftJoinBase()), selected);
    EXPECT_EQ(view.leftJoinBase()->currentText(), selected.front());
    view.leftJoinBase()->setCurrentText(QStringLiteral("Samples"));
    view.loadButton()->click();
    EXPECT_EQ(loaded, 1) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(clip.activePage().lastRow(), 5); // headings and every sample

    view.leftJoin()->setChecked(false);
    EXPECT_FALSE(view.leftJoinBase()->isEnabled());
    view.filterOn()->setChecked(true);
    EXPECT_TRUE(view.filters()->isEnabled());
    tables->findItems(QStringLiteral("Chem"), Qt::MatchExactly).front()->setSelected(false);
    view.filters()->setCurrentText(QStringLiteral("Gold"));
    ASSERT_TRUE(view.load()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(clip.activePage().lastRow(), 1 + 3); // the samples with Au above 1

    const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
    QDir().mkpath(out);
    EXPECT_TRUE(view.grab().toImage().save(out + QStringLiteral("/table-loader.png")));
}

INSTANTIATE_TEST_SUITE_P(Engines, TableLoaderViewTest, ::testing::Values(Engine::Sqlite),
                         engineName);

} // namespace
