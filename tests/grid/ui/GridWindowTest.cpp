// The grid window on the offscreen platform: its Find window driven through its fields and
// buttons, and every menu item, pop-up item and right-hand button triggered to see it work.
#include "grid/ui/GridWindow.h"
#include "db/SessionDatabase.h"
#include "grid/OpenViews.h"
#include "grid/ui/GridButtonBar.h"
#include "grid/ui/GridFindWindow.h"
#include "grid/ui/GridStatisticsWindow.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/SqliteSession.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace {

class GridWindowTest : public SqliteSession {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("rocks.sqlite"));
        {
            auto db = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
            for (const char* sql :
                 {"CREATE TABLE [Samples] ([SampleNo] TEXT PRIMARY KEY, [Rock] TEXT, [Au] DOUBLE, "
                  "[Note] TEXT)",
                  "INSERT INTO [Samples] VALUES ('S1', 'granite', 54.599999999999994, ' a ')",
                  "INSERT INTO [Samples] VALUES ('S2', 'Granodiorite', 2, 'b')",
                  "INSERT INTO [Samples] VALUES ('S3', 'Basalt', 1.5, NULL)",
                  "INSERT INTO [Samples] VALUES ('S4', 'GRANITE', 0.1, 'c')",
                  "CREATE TABLE [Notes] ([SampleNo] TEXT PRIMARY KEY, [Text] TEXT)",
                  "INSERT INTO [Notes] VALUES ('S3', 'granite vein')",
                  "INSERT INTO [Notes] VALUES ('S4', 'dyke')"})
                ASSERT_TRUE(db.connection->execute(QString::fromUtf8(sql))) << sql;
        }
        session.SessionDatabasePath = path;
        ASSERT_TRUE(session.OpenSessionDatabase({true, false, false}));
        // Both grids in one frame, as the main window holds them.
        frame.resize(1000, 600);
        samples = grid(QStringLiteral("SELECT * FROM [Samples] ORDER BY [SampleNo]"),
                       QStringLiteral("Table/Samples"));
        notes = grid(QStringLiteral("SELECT * FROM [Notes] ORDER BY [SampleNo]"),
                     QStringLiteral("Table/Notes"));
        frame.show();
    }

    GridWindow* grid(const QString& statement, const QString& caption) {
        auto* window =
            new GridWindow(session, dialogs, status, views, {dir.path(), dir.path()}, &frame);
        EXPECT_TRUE(window->open(statement, caption));
        window->setGeometry(0, 0, 700, 400);
        return window;
    }

    QStringList column(const char* sql) {
        QStringList out;
        const auto rows = session.connection()->query(QString::fromUtf8(sql));
        for (qsizetype r = 0; rows && r < rows->rowCount(); ++r)
            out << rows->at(r, 0).toText();
        return out;
    }

    template <class T> static T* child(QWidget* in, const QString& text) {
        for (T* w : in->findChildren<T*>())
            if (w->text() == text)
                return w;
        ADD_FAILURE() << "no " << text.toStdString();
        return nullptr;
    }

    OpenViews views;
    QWidget frame;
    GridWindow* samples = nullptr;
    GridWindow* notes = nullptr;
};

QAction* menuAction(const QList<QAction*>& actions, const QStringList& path) {
    for (QAction* a : actions) {
        if (a->text() != path.front())
            continue;
        if (path.size() == 1)
            return a;
        return a->menu() ? menuAction(a->menu()->actions(), path.mid(1)) : nullptr;
    }
    return nullptr;
}

TEST_F(GridWindowTest, TheFindWindowFindsWithItsOptionsAndReplacesInTheActiveGrid) {
    menuAction(samples->findChild<QMenuBar*>()->actions(), {"&Edit", "Find..."})->trigger();
    GridFindWindow* find = samples->findWindow();
    ASSERT_TRUE(find->isVisible());
    EXPECT_EQ(find->windowTitle(), QStringLiteral("Find"));
    EXPECT_EQ(find->heading(), QStringLiteral("Find in Grid Samples"));
    QPushButton* next = child<QPushButton>(find, QStringLiteral("&Find &Next"));
    ASSERT_NE(next, nullptr);

    const struct {
        const char* text;
        bool wholeWord;
        bool matchCase;
        std::vector<int> rows; // found one after the other, from no current record
    } cases[] = {
        {"gran", false, false, {0, 1, 3}}, {"gran", false, true, {0}},
        {"Gran", false, true, {1}},        {"granite", true, false, {0, 3}},
        {"granite", true, true, {0}},      {"54.6", false, false, {0}},
    };
    for (const auto& c : cases) {
        samples->table()->setCurrentIndex({});
        find->findWhat()->setText(QString::fromUtf8(c.text));
        child<QCheckBox>(find, QStringLiteral("Find whole word"))->setChecked(c.wholeWord);
        child<QCheckBox>(find, QStringLiteral("Mach case"))->setChecked(c.matchCase);
        std::vector<int> found;
        dialogs.clearLog();
        for (int i = 0; i < 5 && dialogs.texts().isEmpty(); ++i) {
            next->click();
            if (dialogs.texts().isEmpty())
                found.push_back(samples->table()->currentIndex().row());
        }
        EXPECT_EQ(found, c.rows) << c.text << " whole " << c.wholeWord << " case " << c.matchCase;
        EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("No matching records")}) << c.text;
    }

    // "Replace &All" in the active grid leaves the other grid alone.
    samples->table()->setCurrentIndex({});
    find->findWhat()->setText(QStringLiteral("granite"));
    find->replaceWith()->setText(QStringLiteral("Granite"));
    child<QCheckBox>(find, QStringLiteral("Find whole word"))->setChecked(true);
    child<QCheckBox>(find, QStringLiteral("Mach case"))->setChecked(false);
    dialogs.clearLog();
    child<QPushButton>(find, QStringLiteral("Replace &All"))->click();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("2 replacements done.")});
    EXPECT_EQ(column("SELECT [Rock] FROM [Samples] ORDER BY [SampleNo]"),
              (QStringList{"Granite", "Granodiorite", "Basalt", "Granite"}));
    EXPECT_EQ(samples->table()->model()->index(3, 1).data().toString(), QStringLiteral("Granite"));
    EXPECT_EQ(column("SELECT [Text] FROM [Notes] ORDER BY [SampleNo]"),
              (QStringList{"granite vein", "dyke"}));

    // "All grids" goes on into the other grid and shows the record there.
    child<QRadioButton>(find, QStringLiteral("All grids"))->setChecked(true);
    EXPECT_EQ(find->heading(), QStringLiteral("Find in All Grids Samples"));
    child<QCheckBox>(find, QStringLiteral("Find whole word"))->setChecked(false);
    child<QCheckBox>(find, QStringLiteral("Mach case"))->setChecked(true);
    find->findWhat()->setText(QStringLiteral("gran"));
    find->replaceWith()->setText(QStringLiteral("Gran"));
    samples->table()->setCurrentIndex(samples->table()->model()->index(3, 1));
    dialogs.clearLog();
    next->click();
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_EQ(notes->table()->currentIndex(), notes->table()->model()->index(0, 1));
    // "&Replace" changes the record found and looks for the next.
    child<QPushButton>(find, QStringLiteral("&Replace"))->click();
    EXPECT_EQ(column("SELECT [Text] FROM [Notes] ORDER BY [SampleNo]"),
              (QStringList{"Granite vein", "dyke"}));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("No matching records")});

    const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
    QDir().mkpath(out);
    EXPECT_TRUE(find->grab().toImage().save(out + QStringLiteral("/grid-find-window.png")));
}

TEST_F(GridWindowTest, NumbersShowTenDigitsColumnsFitAndTheHeaderMarksTheSort) {
    QAbstractItemModel* model = samples->table()->model();
    EXPECT_EQ(model->index(0, 2).data().toString(), QStringLiteral("54.6"));
    EXPECT_EQ(model->index(0, 2).data(Qt::EditRole).toString(),
              QStringLiteral("54.599999999999994"));
    EXPECT_EQ(model->headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString(),
              QStringLiteral("Au"));
    const QFontMetrics metrics(samples->table()->font());
    EXPECT_GE(samples->table()->columnWidth(1),
              metrics.horizontalAdvance(QStringLiteral("Granodiorite")));
    EXPECT_LE(samples->table()->columnWidth(1), GridWindow::widestColumn);

    QHeaderView* header = samples->table()->horizontalHeader();
    EXPECT_FALSE(header->isSortIndicatorShown());
    emit header->sectionClicked(1);
    EXPECT_EQ(samples->controller().sortText(), QStringLiteral("[Rock]"));
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(samples->table()->model()->index(0, 1).data().toString(), QStringLiteral("Basalt"));
    // Again on the same column: the other way round.
    emit header->sectionClicked(1);
    EXPECT_EQ(samples->controller().sortText(), QStringLiteral("[Rock] DESC"));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(samples->table()->model()->index(0, 1).data().toString(), QStringLiteral("granite"));
}

// What triggering an item must do: the first text it shows the person, or a check of its own.
struct ActionCase {
    QStringList path; // "&Edit", "Find..."; "popup", ...; "button", ...
    QString shows;    // the first dialog text begins so
    std::function<void()> prepare = {};
    std::function<bool()> done = {};
};

TEST_F(GridWindowTest, EveryMenuItemPopUpItemAndButtonDoesItsWork) {
    GridWindow& g = *samples;
    QTableView* t = g.table();
    const auto select = [t](int row1, int column1, int row2, int column2) {
        t->setCurrentIndex(t->model()->index(row1, column1));
        t->selectionModel()->select(
            QItemSelection(t->model()->index(row1, column1), t->model()->index(row2, column2)),
            QItemSelectionModel::ClearAndSelect);
    };
    QClipboard* clipboard = QApplication::clipboard();
    int closing = 0, opening = 0;
    QObject::connect(&g, &GridWindow::closeRequested, [&closing] { ++closing; });
    QObject::connect(&g, &GridWindow::openGridRequested, [&opening] { ++opening; });
    QString copied;
    g.copyToClipData = [&copied](const QString& statement) { copied = statement; };
    const GridModel* firstModel = g.controller().model();
    const auto menuShown = [&g] {
        for (QMenu* m : g.findChildren<QMenu*>())
            if (m->isVisible())
                return true;
        return false;
    };
    QString modalTitle; // of a modal dialog an item opened (closed again at once)
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&modalTitle] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modalTitle = modal->windowTitle();
            modal->close();
        }
    });
    closer.start(20);

    const std::vector<ActionCase> cases{
        {{"&File", "ReQuery"}, {}, {}, [&] { return g.controller().model() != firstModel; }},
        {{"&File", "&Load new grid"},
         {},
         [this] { dialogs.queueText(QStringLiteral("Notes")); },
         [&] { return opening == 1; }},
        {{"&File", "Open SQL..."}, "Open SQL"},
        {{"&File", "Save As Filter..."}, "Creating query of view: "},
        {{"&File", "Save As Query..."}, "Creating query of view: "},
        {{"&File", "Save SQL..."}, "Save SQL"},
        {{"&File", "As xls for MapInfo"}, "Null field are problematic"},
        {{"&File", "As Google Earth *.kml file"}, {}, {}, [&] { return !modalTitle.isEmpty(); }},
        {{"&File", "Save Column View"},
         {},
         {},
         [&] { return QFile::exists(dir.filePath(QStringLiteral("ini/Samples.ini"))); }},
        {{"&File", "Save Column View As..."}, "Save Column View As"},
        {{"&File", "Open Column View..."}, "Open Column View"},
        {{"&File", "&Close"}, {}, {}, [&] { return closing == 1; }},
        {{"&Edit", "Copy"},
         {},
         [&] { select(0, 1, 0, 2); },
         // Numbers go whole, not as shown.
         [&] { return clipboard->text() == QStringLiteral("granite\t54.599999999999994"); }},
        {{"&Edit", "Find..."}, {}, {}, [&] { return g.findWindow()->isVisible(); }},
        {{"&Edit", "Find and Replace"}, {}, {}, [&] { return g.findWindow()->isVisible(); }},
        {{"&Edit", "Edit SQL Query..."}, "This grid does not show a stored query."},
        {{"&Edit", "Paste to Cell"},
         {},
         [&] {
             select(2, 3, 2, 3);
             clipboard->setText(QStringLiteral("pasted"));
         },
         [&] {
             return column("SELECT [Note] FROM [Samples] WHERE [SampleNo] = 'S3'") ==
                    QStringList{"pasted"};
         }},
        {{"&Edit", "&Add"}, "Give key value for the new row (SampleNo)"},
        {{"&Edit", "&UpDate"}, {}, {}, [&] { return g.controller().model() != firstModel; }},
        {{"&Edit", "&Select All"},
         {},
         {},
         [&] { return t->selectionModel()->selectedIndexes().size() == 4 * 4; }},
        {{"&Edit", "&Go to Column..."},
         "Give column name",
         [this] { dialogs.queueText(QStringLiteral("note")); },
         [&] { return t->currentIndex().column() == 3; }},
        {{"&Edit", "&Hide column"},
         {},
         [&] { select(0, 2, 0, 2); },
         [&] { return t->isColumnHidden(2); }},
        {{"&Edit", "&Show all"}, {}, {}, [&] { return !t->isColumnHidden(2); }},
        {{"&Edit", "&Copy to ClipData"},
         {},
         {},
         [&] { return copied == g.controller().statement(); }},
        {{"&Edit", "Paste Append"},
         {},
         [&] { clipboard->setText(QStringLiteral("SampleNo\tRock\nS7\tDiorite\n")); },
         [&] {
             return column("SELECT [Rock] FROM [Samples] WHERE [SampleNo] = 'S7'") ==
                    QStringList{"Diorite"};
         }},
        {{"&Edit", "Options..."},
         "ID columns that Paste and Merge matches records by",
         [this] { dialogs.queueText(QStringLiteral("Note")); }},
        {{"&Edit", "Paste and Merge"},
         {},
         [&] { clipboard->setText(QStringLiteral("Note\tRock\nb\tTonalite\n")); },
         // Matched by Note, the ID column "Options..." named.
         [&] {
             return column("SELECT [Rock] FROM [Samples] WHERE [SampleNo] = 'S2'") ==
                    QStringList{"Tonalite"};
         }},
        {{"&Edit", "Append to Database"}, "Field of column 1 : Note was found"},
        {{"&Edit", "&Delete Row"},
         "Are you sure to delete selected records (n=2)",
         [&] { select(0, 0, 1, 0); }},
        {{"&Edit", "&Trim..."},
         "Are you sure to trim (remove leading and ending spaces) in columns Rock - Note?",
         [&] {
             select(0, 1, 1, 3);
             dialogs.queueAnswer(Answer::Yes);
         },
         [&] {
             return column("SELECT [Note] FROM [Samples] WHERE [SampleNo] = 'S1'") ==
                    QStringList{"a"};
         }},
        {{"&Edit", "&Digits..."},
         "Are you sure to set number of digits (decimals) in columns Au - Au?",
         [&] { select(0, 2, 0, 2); }},
        {{"&Edit", "Update row number"}, "Are you sure to update column "},
        {{"&Edit", "Delete selected records in all tables..."}, "Data is deleted in ALL tables"},
        {{"&Tools", "Statistics..."},
         {},
         [&] { select(0, 2, 1, 2); },
         [&] {
             for (auto* w : g.findChildren<GridStatisticsWindow*>())
                 if (w->isVisible() && w->sheet().text(1, 2) == QStringLiteral("Au") &&
                     w->sheet().text(2, 2) == QStringLiteral("2"))
                     return true;
             return false;
         }},
        {{"&Tools", "&Show Field properties"}, "Field name: "},
        {{"&Tools", "Display table properties..."}, "Table name: Samples"},
        {{"&Tools", "&Display  SQL"}, "SELECT * FROM [Samples]"},
        {{"&Tools", "Right Toolbar"}, {}, {}, [&] { return g.buttonBar()->isHidden(); }},
        {{"&Tools", "Make Table..."}, "Create table in current database"},
        {{"&Tools", "Add Field..."}, {}, {}, [&] { return !modalTitle.isEmpty(); }},
        {{"&Tools", "Delete Field..."}, "Are you sure"},
        {{"&Tools", "Delete Table..."}, "Are you sure"},
        {{"popup", "Sort ASC"},
         {},
         [&] { select(0, 1, 0, 1); },
         [&] { return g.controller().sortText() == QStringLiteral("[Rock]"); }},
        {{"popup", "Sort DESC"},
         {},
         {},
         [&] { return t->horizontalHeader()->sortIndicatorOrder() == Qt::DescendingOrder; }},
        {{"popup", "AND Sort", "ASC"},
         {},
         [&] { select(0, 0, 0, 0); },
         [&] { return g.controller().sortText() == QStringLiteral("[Rock] DESC,[SampleNo] ASC"); }},
        {{"popup", "AND Sort", "DESC"},
         {},
         {},
         [&] { return g.controller().sortText().endsWith(QStringLiteral(",[SampleNo] DESC")); }},
        {{"popup", "Show sorting info"}, "SORTING SETTINGS:"},
        {{"popup", "NO Sort"},
         {},
         {},
         [&] {
             return g.controller().sortText().isEmpty() &&
                    !t->horizontalHeader()->isSortIndicatorShown();
         }},
        {{"popup", "Hide Column"},
         {},
         [&] { select(0, 3, 0, 3); },
         [&] { return t->isColumnHidden(3); }},
        {{"popup", "Copy"},
         {},
         [&] { select(1, 1, 1, 1); },
         [&] { return clipboard->text() == QStringLiteral("Tonalite"); }},
        {{"popup", "Paste"},
         {},
         [&] {
             select(1, 1, 1, 1);
             clipboard->setText(QStringLiteral("Syenite\t3.25\n"));
         },
         [&] {
             return column("SELECT [Rock], [Au] FROM [Samples] WHERE [SampleNo] = 'S2'") ==
                        QStringList{"Syenite"} &&
                    column("SELECT [Au] FROM [Samples] WHERE [SampleNo] = 'S2'") ==
                        QStringList{"3.25"};
         }},
        {{"popup", "Edit <-> View"},
         {},
         {},
         [&] { return !g.editing() && t->editTriggers() == QAbstractItemView::NoEditTriggers; }},
        {{"popup", "Find..."}, {}, {}, [&] { return g.findWindow()->isVisible(); }},
        {{"button", "More"}, {}, {}, [&] { return g.popupMenu()->isVisible(); }},
        {{"button", "Sync"},
         {},
         [&] {
             select(2, 0, 2, 0);
             notes->table()->setCurrentIndex(notes->table()->model()->index(1, 1));
         },
         // The other grid goes to the same sample.
         [&] { return notes->table()->currentIndex() == notes->table()->model()->index(0, 0); }},
        {{"button", "Cols"}, {}, {}, [&] { return menuShown(); }},
        {{"button", "Find"}, {}, {}, [&] { return g.findWindow()->isVisible(); }},
        {{"button", "Go"}, {}, {}, [&] { return menuShown(); }},
        {{"button", "Q.."}, "Give key value for the new row (SampleNo)"},
        {{"button", "E-V"}, {}, {}, [&] { return g.editing(); }},
        {{"button", "Hide"}, {}, {}, [&] { return g.buttonBar()->isHidden(); }},
    };
    for (const ActionCase& c : cases) {
        const std::string name = c.path.join(QLatin1Char('/')).toStdString();
        SCOPED_TRACE(name);
        // Each starts from a visible window, nothing pending, nothing open.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &frame && w->isVisible())
                w->close();
        g.buttonBar()->show();
        dialogs.clearLog();
        modalTitle.clear();
        if (c.prepare)
            c.prepare();
        QAction* action = nullptr;
        if (c.path.front() == QStringLiteral("popup"))
            action = menuAction(g.popupMenu()->actions(), c.path.mid(1));
        else if (c.path.front() == QStringLiteral("button")) {
            for (QToolButton* b : g.buttonBar()->buttons())
                if (b->text() == c.path[1])
                    action = b->defaultAction();
        } else
            action = menuAction(g.findChild<QMenuBar*>()->actions(), c.path);
        ASSERT_NE(action, nullptr);
        if (c.path.front() == QStringLiteral("button")) {
            EXPECT_FALSE(action->toolTip().isEmpty());
            for (QToolButton* b : g.buttonBar()->buttons())
                if (b->defaultAction() == action)
                    b->click();
        } else
            action->trigger();
        QApplication::processEvents();
        if (!c.shows.isEmpty()) {
            ASSERT_FALSE(dialogs.log().empty());
            EXPECT_TRUE(dialogs.log().front().text.startsWith(c.shows))
                << dialogs.log().front().text.toStdString();
        }
        if (c.done) {
            EXPECT_TRUE(c.done()) << dialogs.texts().join('|').toStdString();
        }
        EXPECT_TRUE(!c.shows.isEmpty() || c.done) << "a case that checks nothing";
    }
}

} // namespace
