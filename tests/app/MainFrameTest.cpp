#include "app/ui/MainFrame.h"
#include "app/FrameSession.h"
#include "app/MainWindow.h"
#include "app/SampleBrowser.h"
#include "app/WindowGeometry.h"
#include "app/ui/OpenDatabaseDialog.h"
#include "app/ui/RecentDatabaseList.h"
#include "app/ui/SampleBrowserPanel.h"
#include "clipdata/ClipDataWindow.h"
#include "clipdata/ui/TableLoaderView.h"
#include "db/MapFile.h"
#include "db/SchemaMapper.h"
#include "db/SessionDatabase.h"
#include "diagram/ui/DiagramView.h"
#include "figure/PictureSize.h"
#include "filter/ui/FilterPanel.h"
#include "grid/ui/GridWindow.h"
#include "platform/ScriptedDialogs.h"
#include "platform/UserSettingsStore.h"
#include "platform/qt/QtStatus.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

QStringList menuTexts(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator() && a->isVisible())
            out << a->text();
    return out;
}

class MainFrameTest : public FrameSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(
            makeDatabase({"CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Rock TEXT)",
                          "INSERT INTO Samples VALUES ('S-1', 'Granite')"}));
        frame.bind({window, browser, session, dialogs, {dir.path(), dir.path()}});
    }
};

TEST_F(MainFrameTest, OpeningFillsCaptionRecentEntriesAndPickers) {
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("QUV Data (") + dbPath + QLatin1Char(')'));

    const QMenu* file = frame.menuBar()->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(menuTexts(file),
              (QStringList{"&Open Database...", "&Close Database", "&New Database...",
                           "&Map Database and Save the Map", "Start", "Open Macro...",
                           "Save Macro...", "&Exit", QStringLiteral("&1 ") + dbPath}));

    const auto* list = frame.findChild<RecentDatabaseList*>();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->data(Qt::UserRole).toString(), dbPath);

    auto* panel = frame.findChild<SampleBrowserPanel*>();
    ASSERT_NE(panel, nullptr);
    const auto combos = panel->findChildren<QComboBox*>();
    ASSERT_EQ(combos.size(), 2);
    EXPECT_EQ(combos[0]->currentText(), QStringLiteral("Samples"));
    EXPECT_EQ(combos[1]->count(), 2);

    panel->findChild<QLineEdit*>()->setText(QStringLiteral("S-1"));
    panel->retrieve();
    const QTableWidget* grid = panel->recordGrid();
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("Rock"));
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("Granite"));
    // The pop-up's find buffer over the rows SampleNo/S-1 and Rock/Granite, stepping round.
    const auto popUp = [grid](const QString& caption) {
        for (QAction* a : grid->actions())
            if (a->text() == caption)
                return a->trigger();
        ADD_FAILURE() << caption.toStdString();
    };
    dialogs.queueText(QStringLiteral("granite"));
    popUp(QStringLiteral("Find..."));
    EXPECT_EQ(grid->currentRow(), 1);
    dialogs.queueText(QStringLiteral("s"));
    popUp(QStringLiteral("Find..."));
    EXPECT_EQ(grid->currentRow(), 0);
    popUp(QStringLiteral("Show Next in the Find Buffer"));
    EXPECT_EQ(grid->currentRow(), 0); // only SampleNo / S-1 holds an "s"
    dialogs.queueText(QStringLiteral("o"));
    popUp(QStringLiteral("Find..."));
    popUp(QStringLiteral("Show Previous in the Find Buffer"));
    EXPECT_EQ(grid->currentRow(), 1); // "SampleNo" and "Rock": back from the first is the last
    popUp(QStringLiteral("Show Next in the Find Buffer"));
    EXPECT_EQ(grid->currentRow(), 0);
    dialogs.queueText(QStringLiteral("Basalt"));
    popUp(QStringLiteral("Find..."));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Basalt not found"));

    window.closeDatabase();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("QUV Data"));
    EXPECT_EQ(combos[0]->count(), 0);
}

TEST_F(MainFrameTest, TilesChildWindowsAndRendersThem) {
    frame.resize(900, 600);
    frame.show();
    for (int i = 0; i < 3; ++i)
        frame.area()->addSubWindow(new QWidget)->show();
    frame.tileVertically();
    const QList<QMdiSubWindow*> children = frame.area()->subWindowList();
    ASSERT_EQ(children.size(), 3);
    EXPECT_EQ(children[0]->geometry().top(), children[2]->geometry().top());
    EXPECT_LT(children[0]->geometry().right(), children[1]->geometry().left());
    frame.tileHorizontally();
    EXPECT_EQ(children[0]->geometry().left(), children[2]->geometry().left());
    EXPECT_LT(children[0]->geometry().bottom(), children[1]->geometry().top());

    const QImage picture = frame.grab().toImage();
    ASSERT_FALSE(picture.isNull());
    ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("frame.png"))));
    const QImage saved(dir.filePath(QStringLiteral("frame.png")));
    ASSERT_EQ(saved.size(), picture.size());
    // Menus, dock and child windows: far more than a blank fill.
    QSet<QRgb> colours;
    for (int y = 0; y < saved.height(); y += 4)
        for (int x = 0; x < saved.width(); x += 4)
            colours.insert(saved.pixel(x, y));
    EXPECT_GT(colours.size(), 5);
}

TEST_F(MainFrameTest, TheTableListOpensGridsThatShowAndSortRows) {
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    auto* tables = frame.findChild<QListWidget*>(QStringLiteral("tables"));
    ASSERT_NE(tables, nullptr);
    ASSERT_EQ(tables->count(), 1);
    emit tables->itemActivated(tables->item(0));
    ASSERT_EQ(frame.area()->subWindowList().size(), 1);
    auto* grid = frame.findChild<GridWindow*>();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->windowTitle(), QStringLiteral("Table/Samples"));
    EXPECT_EQ(grid->table()->model()->rowCount(), 1);
    EXPECT_EQ(grid->counterText(), QStringLiteral("Rec 1/1"));
    EXPECT_EQ(grid->table()->model()->data(grid->table()->model()->index(0, 1)).toString(),
              QStringLiteral("Granite"));
    // A second grid of the same table saves under another name.
    GridWindow* second =
        frame.openGrid(QStringLiteral("SELECT * FROM [Samples]"), QStringLiteral("Table/Samples"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->controller().name(), QStringLiteral(">Samples"));
    EXPECT_EQ(frame.openGrid(QStringLiteral("SELECT * FROM [Nowhere]"), QStringLiteral("x")),
              nullptr);

    frame.resize(1000, 700);
    frame.show();
    frame.tileVertically();
    const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
    QDir().mkpath(out);
    const QImage shot = frame.grab().toImage();
    ASSERT_TRUE(shot.save(out + QStringLiteral("/main-frame-with-grids.png")));
    EXPECT_EQ(QImage(out + QStringLiteral("/main-frame-with-grids.png")).size(), shot.size());
}

TEST_F(MainFrameTest, TheFilterWindowOpensAsAChildWindowWhereItWasClosed) {
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    frame.resize(1200, 900);
    frame.show();
    QWidget* filters = frame.openFilterWindow();
    ASSERT_NE(filters, nullptr);
    ASSERT_EQ(frame.area()->subWindowList().size(), 1);
    QMdiSubWindow* child = frame.area()->subWindowList().front();
    const QRect placed(QPoint(30, 40), child->minimumSizeHint() + QSize(20, 10));
    child->setGeometry(placed);
    child->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.area()->subWindowList().isEmpty());
    EXPECT_EQ(geometry.load(QStringLiteral("Filter")).width, placed.width());

    frame.openFilterWindow();
    ASSERT_EQ(frame.area()->subWindowList().size(), 1);
    EXPECT_EQ(frame.area()->subWindowList().front()->geometry(), placed);
}

TEST_F(MainFrameTest, TheOpenDatabaseDialogOffersRecentEntriesAndAnyPathOrDataSource) {
    {
        OpenDatabaseDialog dialog({dbPath, QString(), QStringLiteral("/old.mdb")}, geometry);
        EXPECT_EQ(dialog.recentList()->count(), 2);
        EXPECT_EQ(dialog.chosen(), dbPath);
        dialog.pages()->setCurrentIndex(1);
        dialog.pathBox()->setText(QStringLiteral("  service=assays  "));
        EXPECT_EQ(dialog.chosen(), QStringLiteral("service=assays"));
        dialog.move(123, 45);
    }
    // It comes back where it was.
    EXPECT_EQ(geometry.load(QStringLiteral("Connect"), true).left, 123);
    OpenDatabaseDialog empty({}, geometry);
    EXPECT_EQ(empty.pages()->currentIndex(), 1);
    EXPECT_TRUE(empty.chosen().isEmpty());

    // The controller opens what the dialog chose.
    window.hooks.chooseDatabase = [this] { return std::optional<QString>(dbPath); };
    ASSERT_TRUE(window.openDatabase());
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("QUV Data (") + dbPath + QLatin1Char(')'));
}

TEST_F(MainFrameTest, ClosingStoresTheGeometry) {
    frame.setGeometry(40, 50, 700, 500);
    frame.show();
    frame.close();
    EXPECT_TRUE(window.exiting());
    EXPECT_EQ(geometry.loadMain().width, frame.width());
}

TEST_F(MainFrameTest, AClipDataTableJoinsEveryListAndANewDatabaseOpensAsTheFileMenuOpens) {
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    ClipDataWindow& clip = *frame.clipData();
    ASSERT_TRUE(
        clip.sheet().activePage().fromTsv(QStringLiteral("SampleNo\tAu\nS-1\t3.5\nS-2\t4\n")));
    ASSERT_TRUE(clip.tableMaker().toggleKey(1));
    dialogs.queueAnswer(Answer::Yes); // create the table now
    dialogs.queueText(QStringLiteral("Gold"));
    ASSERT_TRUE(clip.makeTable()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("Table added"));

    const auto listed = [this] {
        QStringList names;
        const auto* tables = frame.findChild<QListWidget*>(QStringLiteral("tables"));
        for (int i = 0; tables && i < tables->count(); ++i)
            names << tables->item(i)->text();
        return names;
    };
    EXPECT_EQ(listed(), (QStringList{"Samples", "Gold"}));
    const auto combos = frame.findChild<SampleBrowserPanel*>()->findChildren<QComboBox*>();
    ASSERT_FALSE(combos.isEmpty());
    EXPECT_EQ(combos[0]->count(), 2);
    // The new table is linked to the others on its key, so diagrams can join it.
    bool linked = false;
    const Sheet& links = session.catalogue().links;
    for (int r = 1; r <= links.lastRow(); ++r)
        linked = linked || (QSet<QString>{links.text(r, 1), links.text(r, 2)} ==
                                QSet<QString>{"Samples", "Gold"} &&
                            links.text(r, 3) == QStringLiteral("SampleNo"));
    EXPECT_TRUE(linked);

    // The same page as the only table of a new database, which then is the session database.
    const QString fresh = dir.filePath(QStringLiteral("assays.sqlite"));
    dialogs.clearLog();
    dialogs.queueText(fresh);
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueText(QStringLiteral("Assays"));
    ASSERT_TRUE(clip.makeTableInNewDatabase()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(dialogs.texts().back(),
              QStringLiteral("New database created, acivated and  saved for the first time"));
    EXPECT_EQ(session.SessionDatabasePath, fresh);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("QUV Data (") + fresh + QLatin1Char(')'));
    EXPECT_EQ(window.recentDatabases().mid(0, 2), (QStringList{fresh, dbPath}));
    EXPECT_EQ(listed(), QStringList{"Assays"});
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("assays.ake"))));
}

TEST_F(MainFrameTest, ClipDataOpensTheTableLoaderThatLivesAsLongAsItsDatabase) {
    EXPECT_EQ(frame.openTableLoader(), nullptr);
    EXPECT_EQ(dialogs.texts(), QStringList{"No database open"});
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    frame.resize(1000, 800);
    frame.show();
    QWidget* clip = frame.openClipData();
    QAction* open = nullptr;
    for (QAction* a : clip->findChildren<QAction*>())
        if (a->text() == QStringLiteral("Load tables from database..."))
            open = a;
    ASSERT_NE(open, nullptr);
    open->trigger();
    auto* loader = frame.findChild<TableLoaderView*>();
    ASSERT_NE(loader, nullptr);
    EXPECT_EQ(frame.openTableLoader(), loader); // one window
    loader->tables()->item(0)->setSelected(true);
    ASSERT_TRUE(loader->load()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(frame.clipData()->sheet().activePage().text(2, 2), QStringLiteral("Granite"));

    QMdiSubWindow* child = nullptr;
    for (QMdiSubWindow* w : frame.area()->subWindowList())
        if (w->widget() == loader)
            child = w;
    ASSERT_NE(child, nullptr);
    child->setGeometry(20, 30, 400, 450);
    child->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.findChild<TableLoaderView*>(), nullptr);
    EXPECT_EQ(geometry.load(QStringLiteral("FromDBSToClipData")).width, 400);

    // Without a database it has nothing to load from: it closes.
    ASSERT_NE(frame.openTableLoader(), nullptr);
    window.closeDatabase();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.findChild<TableLoaderView*>(), nullptr);
}

TEST_F(MainFrameTest, EveryWindowsPickersFollowTheDatabaseKeepingTheirChoices) {
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    DiagramView* diagram = frame.openDiagram();
    QComboBox* xTable = diagram->findChildren<QComboBox*>().at(1); // after the graph type
    xTable->setCurrentText(QStringLiteral("Samples"));
    auto* loader = qobject_cast<TableLoaderView*>(frame.openTableLoader());
    ASSERT_NE(loader, nullptr);
    loader->tables()->item(0)->setSelected(true);
    frame.openFilterWindow();
    auto* filters = frame.findChild<FilterPanel*>();
    ASSERT_NE(filters, nullptr);
    EXPECT_EQ(filters->filterList()->count(), 0);

    // Another database: the same table with other rows, one table more and a filter.
    const QString other = dir.filePath(QStringLiteral("assays.sqlite"));
    {
        auto created = SqliteConnection::open(other, SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(created.ok());
        for (const char* sql :
             {"CREATE TABLE Chem (SampleNo TEXT PRIMARY KEY, Au REAL)",
              "CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Rock TEXT)",
              "INSERT INTO Samples VALUES ('G-1', 'Gabbro')",
              "CREATE VIEW f_Gabbros AS SELECT SampleNo FROM Samples WHERE Rock = 'Gabbro'"})
            ASSERT_TRUE(created.connection->execute(QString::fromUtf8(sql)));
    }
    ASSERT_TRUE(window.OpenDBFromMDI(other, false, false));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(xTable->currentText(), QStringLiteral("Samples"));
    EXPECT_GE(xTable->findText(QStringLiteral("Chem")), 0);

    ASSERT_EQ(frame.findChild<TableLoaderView*>(), loader); // still open, on the new database
    QStringList listed, selected;
    for (int i = 0; i < loader->tables()->count(); ++i) {
        listed << loader->tables()->item(i)->text();
        if (loader->tables()->item(i)->isSelected())
            selected << listed.back();
    }
    EXPECT_TRUE(listed.contains(QStringLiteral("Chem")));
    EXPECT_EQ(selected, QStringList{"Samples"});
    ASSERT_TRUE(loader->load()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(frame.clipData()->sheet().activePage().text(2, 2), QStringLiteral("Gabbro"));

    ASSERT_EQ(filters->filterList()->count(), 1);
    EXPECT_TRUE(filters->filterList()->item(0)->text().contains(QStringLiteral("Gabbros")));
}

TEST_F(MainFrameTest, OneClipDataSheetFeedsTheDiagramsAndItsWindowOpensOnce) {
    ASSERT_NE(frame.clipData(), nullptr);
    ASSERT_TRUE(frame.clipData()->sheet().activePage().fromTsv(
        QStringLiteral("Au\tCu\tRock\n1\t10\tGranite\n2\t20\tBasalt\n")));
    QWidget* first = frame.openClipData();
    EXPECT_EQ(frame.openClipData(), first);
    DiagramView* diagram = frame.openDiagram();
    ASSERT_NE(diagram, nullptr);
    DiagramDefinition& d = diagram->controller().definition;
    d.source = DiagramDefinition::Source::ClipData;
    d.tables = {"ClipData", "ClipData", "", "ClipData"};
    d.fields = {"Au", "Cu", "", "Rock"};
    ASSERT_TRUE(diagram->controller().draw()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(diagram->controller().figure().series.size(), 2u);
    EXPECT_EQ(frame.area()->subWindowList().size(), 2);
}

} // namespace

namespace {

QAction* actionNamed(QWidget* root, const QString& text) {
    for (QAction* a : root->findChildren<QAction*>())
        if (a->text() == text)
            return a;
    return nullptr;
}

QString statusText(MainFrame& frame) {
    QString text;
    for (const QLabel* label : frame.statusBar()->findChildren<QLabel*>())
        text += label->text();
    return text;
}

// The shipped sample as a newcomer meets it: opened at start-up from a map file that an older
// start-up saved without links, then SiO2 against MgO classified by rock, drawn in the window.
TEST_F(MainFrameTest, TheSampleDrawsAClassifiedPlotAtTheFirstTry) {
    const QString built = testpaths::binaryDir() + QStringLiteral("/samples/QUVSample.sqlite");
    if (!QFile::exists(built))
        GTEST_SKIP() << "the sample database is built by quv_sampledb";
    const QString sample = dir.filePath(QStringLiteral("QUVSample.sqlite"));
    ASSERT_TRUE(QFile::copy(built, sample));
    {
        auto opened = SqliteConnection::open(sample);
        ASSERT_TRUE(opened.ok());
        SchemaCatalogue bare;
        SchemaMapper(*opened.connection, frame.status())
            .MapDatabase(bare, sample, MapFile::pathFor(sample, false, {}), {false, false, true});
        ASSERT_EQ(bare.links.lastRow(), 0);
    }
    session.SessionDatabasePath = sample;
    ASSERT_TRUE(session.OpenSessionDatabase({false, true, false})); // as start-up opens it
    frame.refreshLists();
    frame.resize(1400, 900);
    frame.show();

    DiagramView* diagram = frame.openDiagram();
    ASSERT_NE(diagram, nullptr);
    const auto box = [diagram](const char* name) {
        return diagram->findChild<QComboBox*>(QString::fromLatin1(name));
    };
    for (const auto& [name, text] :
         std::vector<std::pair<const char*, const char*>>{{"xTable", "Major"},
                                                          {"xField", "SiO2"},
                                                          {"yTable", "Major"},
                                                          {"yField", "MgO"},
                                                          {"classTable", "Samples"},
                                                          {"classField", "Rock"}}) {
        ASSERT_NE(box(name), nullptr) << name;
        const int at = box(name)->findText(QString::fromLatin1(text));
        ASSERT_GE(at, 0) << name << " offers no " << text;
        box(name)->setCurrentIndex(at);
    }
    QAction* draw = actionNamed(diagram, QStringLiteral("&Draw"));
    ASSERT_NE(draw, nullptr);
    draw->trigger();
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('\n').toStdString();
    const Figure& figure = diagram->controller().figure();
    EXPECT_GE(figure.series.size(), 3u);
    EXPECT_GT(figure.pointCount(), 1000);
    // The rebuilt links were kept in the map for the next start.
    SchemaCatalogue reread;
    ASSERT_TRUE(MapFile::load(reread, MapFile::pathFor(sample, false, {})));
    EXPECT_GT(reread.links.lastRow(), 0);
}

// Each child window has a caption of its own; choosing one in the list brings it forward as it
// is, the others keeping their maximised or normal state.
TEST_F(MainFrameTest, TheWindowListNamesEachWindowAndActivatesWithoutRearranging) {
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    frame.resize(1200, 800);
    frame.show();
    auto* tables = frame.findChild<QListWidget*>(QStringLiteral("tables"));
    emit tables->itemActivated(tables->item(0));
    emit tables->itemActivated(tables->item(0));
    frame.openDiagram();
    frame.openDiagram();
    frame.openDiagram();
    QStringList captions;
    for (const QMdiSubWindow* w : frame.area()->subWindowList())
        captions << w->windowTitle();
    EXPECT_EQ(captions, (QStringList{"Table/Samples", "Table/Samples (2)", "Graph", "Graph (2)",
                                     "Graph (3)"}));
    auto* list =
        frame.findChild<QToolBar*>(QStringLiteral("windows"))->findChildren<QComboBox*>()[1];
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->itemText(3), QStringLiteral("Graph (2)"));

    QMdiSubWindow* last = frame.area()->subWindowList().back();
    last->showMaximized();
    list->setCurrentIndex(0);
    emit list->activated(0);
    QMdiSubWindow* first = frame.area()->subWindowList().front();
    EXPECT_EQ(frame.area()->activeSubWindow(), first);
    EXPECT_TRUE(first->isMaximized()); // the area stays maximised, now showing the chosen one

    // The "&Window" menu lists them too and activates the same way.
    QMenu* windowMenu = frame.findChild<QMenu*>(QStringLiteral("windowMenu"));
    ASSERT_NE(windowMenu, nullptr);
    emit windowMenu->aboutToShow();
    QAction* third = actionNamed(windowMenu, QStringLiteral("&3 Graph"));
    ASSERT_NE(third, nullptr);
    third->trigger();
    EXPECT_EQ(frame.area()->activeSubWindow()->windowTitle(), QStringLiteral("Graph"));
    EXPECT_TRUE(frame.area()->activeSubWindow()->isMaximized());
}

// After an open the bar is back at its start and says "Ready!"; "Abort" is enabled only while
// work reports progress, and an operation that forgets to end its progress ends once the
// program is idle again.
TEST_F(MainFrameTest, ProgressEndsAtReadyAndAbortIsOnlyEnabledDuringWork) {
    auto* bar = frame.statusBar()->findChild<QProgressBar*>();
    auto* abort = frame.statusBar()->findChild<QPushButton*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(abort, nullptr);
    EXPECT_FALSE(abort->isEnabled());
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, true, true));
    EXPECT_EQ(bar->value(), bar->minimum());
    EXPECT_EQ(statusText(frame), QStringLiteral("Ready!"));
    EXPECT_FALSE(abort->isEnabled());

    frame.status().showStatus(QStringLiteral("Working..."), 40);
    EXPECT_TRUE(abort->isEnabled());
    EXPECT_EQ(bar->value(), 40);
    // The work polls "Abort" from inside itself: that does not end it.
    EXPECT_FALSE(frame.status().abortRequested());
    EXPECT_TRUE(abort->isEnabled());
    abort->click();
    EXPECT_TRUE(frame.status().abortRequested());
    QCoreApplication::processEvents(); // the work is over: the event loop runs again
    EXPECT_FALSE(abort->isEnabled());
    EXPECT_EQ(bar->value(), bar->minimum());
    EXPECT_EQ(statusText(frame), QStringLiteral("Ready!"));
}

// Return in a box of the diagram window moves on while X or Y is missing, and draws once the
// definition is complete.
TEST_F(MainFrameTest, ReturnInAFieldBoxDrawsOnlyACompleteDefinition) {
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    frame.resize(1200, 800);
    frame.show();
    DiagramView* diagram = frame.openDiagram();
    ASSERT_NE(diagram, nullptr);
    QShortcut* returnKey = nullptr;
    for (QShortcut* s : diagram->findChildren<QShortcut*>())
        if (s->key() == QKeySequence(Qt::Key_Return))
            returnKey = s;
    ASSERT_NE(returnKey, nullptr);
    const auto focused = [diagram] { return diagram->window()->focusWidget(); };
    auto* xTable = diagram->findChild<QComboBox*>(QStringLiteral("xTable"));
    xTable->setFocus();
    ASSERT_TRUE(focused() == xTable || xTable->isAncestorOf(focused()));
    emit returnKey->activated();
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('\n').toStdString();
    EXPECT_TRUE(diagram->controller().figureLog().isEmpty());
    EXPECT_FALSE(focused() == xTable || xTable->isAncestorOf(focused())); // moved on

    for (const char* name : {"xTable", "yTable"})
        diagram->findChild<QComboBox*>(QString::fromLatin1(name))
            ->setCurrentText(QStringLiteral("Samples"));
    for (const char* name : {"xField", "yField"})
        diagram->findChild<QComboBox*>(QString::fromLatin1(name))
            ->setCurrentText(QStringLiteral("Rock"));
    emit returnKey->activated();
    EXPECT_EQ(diagram->controller().figureLog().size(), 1);
}

// "Save Picture..." writes the size asked for, not the window's, remembers it and says in the
// status line what it wrote where.
TEST_F(MainFrameTest, SavePictureWritesTheAskedSizeAndSaysWhere) {
    ASSERT_TRUE(frame.clipData()->sheet().activePage().fromTsv(
        QStringLiteral("Au\tCu\tRock\n1\t10\tGranite\n2\t20\tBasalt\n")));
    frame.resize(900, 700);
    frame.show();
    DiagramView* diagram = frame.openDiagram();
    DiagramDefinition& d = diagram->controller().definition;
    d.source = DiagramDefinition::Source::ClipData;
    d.tables = {"ClipData", "ClipData", "", "ClipData"};
    d.fields = {"Au", "Cu", "", "Rock"};
    ASSERT_TRUE(diagram->controller().draw());
    QAction* save = actionNamed(diagram, QStringLiteral("Save Picture..."));
    ASSERT_NE(save, nullptr);
    const QString png = dir.filePath(QStringLiteral("chart.png"));
    dialogs.queueText(png);
    dialogs.queueText(QStringLiteral("1000 x 750 @ 96"));
    save->trigger();
    EXPECT_EQ(QImage(png).size(), QSize(1000, 750));
    EXPECT_EQ(statusText(frame), QStringLiteral("Picture of 2 points written to ") + png);
    EXPECT_EQ(PictureSize::load(dir.filePath(QStringLiteral("ini/lastfiles.ini"))).text(),
              QStringLiteral("1000 x 750 @ 96"));
}

// "Quv Help" shows the user guide that lies beside the program, once; without it, says so.
TEST_F(MainFrameTest, HelpShowsTheUserGuideBesideTheProgram) {
    QAction* help = actionNamed(&frame, QStringLiteral("Quv Help"));
    ASSERT_NE(help, nullptr);
    help->trigger();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("The user guide ") + dir.path() +
                                           QStringLiteral("/docs/user-guide.md is missing")});
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("docs"))));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("docs/screenshots"))));
    const QString picture = QStringLiteral("screenshots/population-analysis.png");
    for (const QString& file : {QStringLiteral("user-guide.md"), picture})
        ASSERT_TRUE(QFile::copy(testpaths::repoFile(QStringLiteral("docs/") + file),
                                dir.filePath(QStringLiteral("docs/") + file)));
    help->trigger();
    auto* guide = frame.findChild<QTextBrowser*>();
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->windowTitle(), QStringLiteral("QUV Data Help"));
    EXPECT_TRUE(guide->toPlainText().contains(QStringLiteral("Batch runs and macros")));
    EXPECT_TRUE(guide->toPlainText().contains(QStringLiteral("DRAW2 Type;")));
    // Its pictures are found beside it.
    EXPECT_FALSE(
        guide->loadResource(QTextDocument::ImageResource, QUrl(picture)).toByteArray().isEmpty());
    // ... at a width the window shows.
    QTextCursor found = guide->document()->find(QString(QChar::ObjectReplacementCharacter));
    ASSERT_FALSE(found.isNull());
    EXPECT_EQ(found.charFormat().toImageFormat().width(), 640);
    help->trigger();
    EXPECT_EQ(frame.area()->subWindowList().size(), 1);
}

} // namespace
