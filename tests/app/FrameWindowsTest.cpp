// The frame's windows over SQL, links and the system database, reached through its menus on the
// offscreen platform: each new menu item opens its window or does its work, and the grid's
// "Edit SQL Query..." edits a stored query in the SQL clause editor.
#include "app/FrameSession.h"
#include "app/MainWindow.h"
#include "app/SampleBrowser.h"
#include "app/WindowGeometry.h"
#include "app/ui/MainFrame.h"
#include "clipdata/ClipDataWindow.h"
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "db/ui/CatalogueView.h"
#include "filter/ui/FilterPanel.h"
#include "filter/ui/QueryView.h"
#include "grid/ui/GridWindow.h"
#include "platform/ScriptedDialogs.h"
#include "platform/UserSettingsStore.h"
#include "platform/qt/QtStatus.h"
#include "platform/sqlite/SqliteConnection.h"
#include "query/ui/SqlClauseDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class FrameWindowsTest : public FrameSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(
            openFrame({"CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Rock TEXT)",
                       "CREATE TABLE Chem (SampleNo TEXT PRIMARY KEY, SiO2 REAL)",
                       "INSERT INTO Samples VALUES ('S-1', 'Granite'), ('S-2', 'Basalt')",
                       "INSERT INTO Chem VALUES ('S-1', 72.5), ('S-2', 48.1)",
                       "CREATE VIEW Rocks AS SELECT * FROM Samples WHERE Rock = 'Granite'",
                       "CREATE VIEW f_Granite AS SELECT * FROM Samples WHERE Rock = 'Granite'"}));
        frame.resize(1100, 800);
    }
    template <class T> T* child() const {
        for (QMdiSubWindow* w : frame.area()->subWindowList())
            if (auto* view = qobject_cast<T*>(w->widget()))
                return view;
        return nullptr;
    }
    void pickTables(const QStringList& names) {
        auto* tables = frame.findChild<QListWidget*>(QStringLiteral("tables"));
        tables->clearSelection();
        for (const QString& name : names)
            for (QListWidgetItem* item : tables->findItems(name, Qt::MatchExactly))
                item->setSelected(true);
    }
    static QString cell(GridWindow* grid, int row, int column) {
        const QAbstractItemModel* m = grid->table()->model();
        return m->data(m->index(row, column)).toString();
    }
};

TEST_F(FrameWindowsTest, EveryNewMenuItemIsConnected) {
    const struct {
        QStringList path;
        QStringList picked;           // in the frame's table list
        std::function<void()> answer; // queued before triggering
        std::function<bool()> done;
    } items[] = {
        {{"Database", "Query..."}, {}, {}, [this] { return child<QueryView>() != nullptr; }},
        {{"Database", "Relationships..."},
         {},
         {},
         [this] { return child<CatalogueView>() != nullptr; }},
        {{"&Tools", "Database Relationships..."},
         {},
         {},
         [this] { return child<CatalogueView>() != nullptr; }},
        {{"Database", "Linking of selected tables"},
         {"Samples", "Chem"},
         {},
         [this] {
             return dialogs.texts().value(0) ==
                    QStringLiteral("--- LINKING OF TABLES ---\n==FROM Samples==\n  - "
                                   "Samples.SampleNo = Chem.SampleNo\n------\n==FROM "
                                   "Chem==\n  - Chem.SampleNo = Samples.SampleNo\n------");
         }},
        {{"Database", "Load selected tables..."},
         {"Samples", "Chem", "f_Granite"},
         [this] { dialogs.queueAnswer(Answer::Yes); },
         [this] {
             const GridWindow* grid = child<GridWindow>();
             return dialogs.texts().value(0).endsWith(
                        QStringLiteral("\r\nDo you want to run the SQL and open the view?")) &&
                    grid && grid->windowTitle() == QStringLiteral("View/Samples_Chem") &&
                    grid->table()->model()->rowCount() == 1;
         }},
        {{"Database", "System", "Alias"},
         {},
         {},
         [this] {
             GridWindow* grid = child<GridWindow>();
             return grid && grid->windowTitle() == QStringLiteral("System/Alias") &&
                    grid->controller().showsSystemDatabase();
         }},
    };
    for (const auto& item : items) {
        SCOPED_TRACE(item.path.join(QStringLiteral(" > ")).toStdString());
        frame.area()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        dialogs.clearLog();
        pickTables(item.picked);
        if (item.answer)
            item.answer();
        QAction* action = actionAt(frame.menuBar(), item.path);
        ASSERT_NE(action, nullptr);
        action->trigger();
        EXPECT_TRUE(item.done()) << dialogs.texts().join('\n').toStdString();
    }
    // A window asked for again comes forward; there is only ever one.
    actionAt(frame.menuBar(), {"Database", "Relationships..."})->trigger();
    actionAt(frame.menuBar(), {"&Tools", "Database Relationships..."})->trigger();
    EXPECT_EQ(frame.findChildren<CatalogueView*>().size(), 1);
}

TEST_F(FrameWindowsTest, TheFilterWindowsSqlMenuAndClipDataModeAreConnected) {
    auto* holder = frame.openFilterWindow();
    auto* panel = holder->findChild<FilterPanel*>();
    ASSERT_NE(panel, nullptr);
    auto* sql = panel->findChild<QPlainTextEdit*>();
    const auto item = [panel](const QString& caption) {
        QAction* a = actionAt(panel->findChild<QMenuBar*>(), {"SQL", caption});
        EXPECT_NE(a, nullptr) << caption.toStdString();
        if (a)
            a->trigger();
    };
    const QString text = QStringLiteral("SELECT * FROM [Samples] WHERE [Rock] = 'Basalt'");
    sql->setPlainText(text);
    item(QStringLiteral("&Copy SQL clause"));
    EXPECT_EQ(QApplication::clipboard()->text(), text);
    item(QStringLiteral("Clear SQL"));
    EXPECT_TRUE(sql->toPlainText().isEmpty());
    item(QStringLiteral("&Undo last SQL"));
    EXPECT_EQ(sql->toPlainText(), text);
    const QString file = dir.filePath(QStringLiteral("basalt.sql"));
    dialogs.queueText(file);
    item(QStringLiteral("Save SQL..."));
    item(QStringLiteral("Clear SQL"));
    dialogs.queueText(file);
    item(QStringLiteral("Open SQL..."));
    EXPECT_EQ(sql->toPlainText(), text);
    // Opening SQL makes the SQL tab the definition: "Make filter" stores the text.
    EXPECT_EQ(panel->modeTabs()->currentIndex(), 1);
    panel->findChildren<QLineEdit*>()[1]->setText(QStringLiteral("Basalts"));
    for (QPushButton* b : panel->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Make filter"))
            b->click();
    EXPECT_TRUE(session.catalogue().filters.contains(QStringLiteral("Basalts")))
        << dialogs.texts().join('\n').toStdString();
    item(QStringLiteral("Cancel SQL edit")); // nothing under edit: the text stays
    EXPECT_FALSE(sql->toPlainText().isEmpty());

    // ClipData mode: the pickers list the sheet's pages and headings, and a filter goes there.
    ASSERT_TRUE(frame.clipData()->sheet().activePage().fromTsv(
        QStringLiteral("SampleNo\tAu\nS-1\t3.5\nS-2\t4\n")));
    QCheckBox* clip = panel->clipDataBox();
    ASSERT_TRUE(clip->isEnabled());
    clip->setChecked(true);
    const QList<QComboBox*> combos = panel->findChildren<QComboBox*>();
    EXPECT_EQ(combos[0]->currentText(), frame.clipData()->sheet().activePageName());
    combos[1]->setCurrentText(QStringLiteral("Au"));
    combos[2]->setCurrentText(QStringLiteral(">"));
    panel->findChildren<QLineEdit*>()[0]->setText(QStringLiteral("3.8"));
    panel->findChildren<QLineEdit*>()[1]->setText(QStringLiteral("RichAu"));
    dialogs.clearLog();
    for (QPushButton* b : panel->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Make filter"))
            b->click();
    EXPECT_EQ(dialogs.texts(), QStringList{"Filter created for Clipdata! (1 filters existing.)"});
    EXPECT_EQ(frame.clipData()->filters().rowsPassing(QStringLiteral("RichAu")),
              std::vector<int>{3});
}

TEST_F(FrameWindowsTest, EditSqlQueryReplacesTheStoredQueryThroughTheClauseEditor) {
    GridWindow* grid =
        frame.openGrid(QStringLiteral("SELECT * FROM [Rocks]"), QStringLiteral("Query/Rocks"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->table()->model()->rowCount(), 1);
    EXPECT_EQ(cell(grid, 0, 1), QStringLiteral("Granite"));

    bool edited = false;
    QTimer::singleShot(0, [&] {
        auto* editor = qobject_cast<SqlClauseDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("SQL-clause"));
        EXPECT_TRUE(editor->textField()->toPlainText().contains(QStringLiteral("Granite")));
        dialogs.queueText(QStringLiteral("Granite"));
        dialogs.queueText(QStringLiteral("Basalt"));
        actionAt(editor->findChild<QMenuBar*>(), {"&Replace"})->trigger();
        for (QPushButton* b : editor->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("OK"))
                b->click();
        edited = true;
    });
    QAction* edit = actionAt(grid->findChild<QMenuBar*>(), {"&Edit", "Edit SQL Query..."});
    ASSERT_NE(edit, nullptr);
    edit->trigger();
    ASSERT_TRUE(edited);
    // The stored query now selects basalts, and the grid shows them.
    ASSERT_EQ(grid->table()->model()->rowCount(), 1);
    EXPECT_EQ(cell(grid, 0, 1), QStringLiteral("Basalt"));
    EXPECT_TRUE(dialogs.texts().endsWith(QStringLiteral("Give replacing string")))
        << dialogs.texts().join('\n').toStdString();
}

} // namespace
