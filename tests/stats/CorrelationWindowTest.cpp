// The correlation window over real engines (a SQLite file, and the PostgreSQL server when
// QUV_PG_CONNINFO names one) and reached through the frame's "Statistics" menu. Reference
// coefficients from an independent implementation (Python's statistics.correlation) over the
// rows both values are numbers in.
#include "stats/CorrelationWindow.h"
#include "app/FrameSession.h"
#include "platform/HeadlessStatus.h"
#include "platform/TransactionScope.h"
#include "stats/ui/CorrelationView.h"
#include "support/EngineSession.h"
#include "support/PgScratchSchema.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFont>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

namespace {
// Cor: X and Y numbers, Z text with detection limits and Nulls, K constant, G two classes.
// Many: one row for each of 21 classes in C21, of 20 in C20. The filter Big: X above 13.
void fillTables(Connection& db) {
    for (const char* sql :
         {"CREATE TABLE [Cor] ([SampleNo] TEXT(10) CONSTRAINT [pkCor] PRIMARY KEY, [G] DOUBLE, "
          "[X] DOUBLE, [Y] DOUBLE, [Z] TEXT(10), [K] DOUBLE)",
          "CREATE TABLE [Many] ([SampleNo] TEXT(10) CONSTRAINT [pkMany] PRIMARY KEY, [C21] "
          "DOUBLE, [C20] DOUBLE, [V] DOUBLE)",
          "CREATE VIEW [f_Big] AS SELECT * FROM [Cor] WHERE [X] > 13"})
        ASSERT_TRUE(db.execute(QString::fromLatin1(sql))) << db.lastError().toStdString();
    const double xs[] = {12.1, 14.3, 11.8, 15.2, 13.9, 12.7, 16.4, 13.1, 14.8, 12.2};
    const double ys[] = {13.4, 15.9, 12.2, 17.8, 15.1, 13.0, 18.9, 14.6, 16.2, 13.3};
    const char* zs[] = {"1.5", "<1", nullptr, "3.1", "2.2", "1.9", nullptr, "2.8", "2.0", "<1"};
    TransactionScope t(db);
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(db.execute(
            QStringLiteral("INSERT INTO [Cor] VALUES (?, ?, ?, ?, ?, 7)"),
            {CellValue::text(QStringLiteral("S-%1").arg(i)), CellValue::number(i < 5 ? 1 : 2),
             CellValue::number(xs[i]), CellValue::number(ys[i]),
             zs[i] ? CellValue::text(QString::fromLatin1(zs[i])) : CellValue::null()}));
    for (int i = 0; i < 21; ++i)
        ASSERT_TRUE(
            db.execute(QStringLiteral("INSERT INTO [Many] VALUES (?, ?, ?, ?)"),
                       {CellValue::text(QStringLiteral("M-%1").arg(i)), CellValue::number(i),
                        CellValue::number(i % 20), CellValue::number(i)}));
    ASSERT_TRUE(t.commit());
}

QStringList headings(const Sheet& s) {
    QStringList out;
    for (int c = 2; c <= s.lastColumn(); ++c)
        out << s.text(1, c);
    return out;
}

class CorrelationEnginesTest : public EngineSession {
protected:
    void SetUp() override { openSession(QStringLiteral("quv_cor"), fillTables); }
};

INSTANTIATE_TEST_SUITE_P(Engines, CorrelationEnginesTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

TEST_P(CorrelationEnginesTest, PairwiseMatricesPerTableAndPerClass) {
    CorrelationWindow cor(*session, dialogs, status);
    cor.table = QStringLiteral("Cor");
    ASSERT_TRUE(cor.execute()) << dialogs.texts().join(u'|').toStdString();
    ASSERT_EQ(cor.sheets().sheetNames(), (QStringList{CorrelationWindow::coefficientSheet(),
                                                      CorrelationWindow::countSheet()}));
    const Sheet& r = *cor.sheets().sheetAt(1);
    const Sheet& n = *cor.sheets().sheetAt(2);
    // SampleNo (no numbers) and K (no spread) lose their rows and columns.
    ASSERT_EQ(headings(r), (QStringList{"G", "X", "Y", "Z"}));
    EXPECT_EQ(headings(n), headings(r));
    EXPECT_EQ(r.text(3, 1), QStringLiteral("X"));
    struct Cell {
        int i, j;
        double r, n;
    };
    // Rows with a Null or "<1" in Z drop out of Z's pairs only.
    const Cell cells[] = {{3, 4, 0.9801780073010457, 10},
                          {4, 3, 0.9801780073010457, 10},
                          {3, 5, 0.6100605633510471, 6},
                          {4, 5, 0.7044297728835799, 6}};
    for (const Cell& c : cells) {
        EXPECT_NEAR(*r.number(c.i, c.j), c.r, 1e-12) << c.i << ',' << c.j;
        EXPECT_EQ(n.number(c.i, c.j), c.n) << c.i << ',' << c.j;
    }
    for (int d = 2; d <= 5; ++d) {
        EXPECT_EQ(r.number(d, d), 1);
        EXPECT_TRUE(n.isEmpty(d, d));
    }

    // Over 6 rows blanks Z's coefficients but keeps the counts; deleting empties drops Z.
    dialogs.queueText(QStringLiteral("6"));
    EXPECT_EQ(cor.toggleMinimumCount(), QStringLiteral("Show Rows Where N Is Greater Than 6"));
    EXPECT_TRUE(cor.sheets().sheetAt(1)->isEmpty(3, 5));
    EXPECT_EQ(cor.sheets().sheetAt(2)->number(3, 5), 6);
    cor.deleteEmptyFields(0);
    EXPECT_EQ(headings(*cor.sheets().sheetAt(1)), (QStringList{"G", "X", "Y"}));
    EXPECT_EQ(cor.toggleMinimumCount(), QStringLiteral("&Show Rows Where N is Greater Than"));
    // "Delete column and row X?": No keeps it, Yes removes it from both sheets.
    EXPECT_FALSE(cor.deleteField(0, 2));
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_TRUE(cor.deleteField(0, 2));
    EXPECT_EQ(headings(*cor.sheets().sheetAt(2)), (QStringList{"G", "Y"}));
    EXPECT_TRUE(dialogs.texts().contains(QStringLiteral("Delete column and row X?")));

    // A classifier from the same table without a filter: a pair of sheets per class, the
    // classifier (constant within a class) not among the fields.
    cor.classTable = QStringLiteral("Cor");
    cor.classField = QStringLiteral("G");
    ASSERT_TRUE(cor.execute()) << dialogs.texts().join(u'|').toStdString();
    ASSERT_EQ(cor.pairCount(), 2);
    EXPECT_EQ(cor.sheets().sheetName(3), QStringLiteral("r 2"));
    const Sheet& second = *cor.sheets().sheetAt(3);
    EXPECT_EQ(headings(second), (QStringList{"X", "Y", "Z"}));
    EXPECT_NEAR(*second.number(2, 3), 0.982069789192219, 1e-12);
    EXPECT_EQ(cor.sheets().sheetAt(4)->number(2, 3), 5);

    // The filter joined by its own key, with the classifier and without.
    cor.useFilter = true;
    cor.filter = QStringLiteral("Big");
    ASSERT_TRUE(cor.execute()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(cor.sheets().sheetName(1), QStringLiteral("r 1"));
    EXPECT_EQ(cor.sheets().sheetAt(2)->number(2, 3), 3); // class 1: 14.3, 15.2 and 13.9
    cor.classField.clear();
    ASSERT_TRUE(cor.execute()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(cor.sheets().sheetAt(2)->number(3, 4), 6);
    cor.useFilter = false;

    const QString xlsx = dir.filePath(QStringLiteral("cor.xlsx"));
    EXPECT_TRUE(cor.save(xlsx));
    EXPECT_GT(QFileInfo(xlsx).size(), 0);

    // Twenty classes are all shown without a word; twenty-one say so and show twenty.
    cor.table = cor.classTable = QStringLiteral("Many");
    for (const auto& [field, warned] : {std::pair{"C20", false}, std::pair{"C21", true}}) {
        dialogs.clearLog();
        cor.classField = QString::fromLatin1(field);
        ASSERT_TRUE(cor.execute());
        EXPECT_EQ(cor.pairCount(), 20) << field;
        EXPECT_EQ(dialogs.texts().contains(QStringLiteral("Classes exceed 20. 20 first shown")),
                  warned)
            << field;
    }
    cor.secondTable = QStringLiteral("Cor");
    dialogs.clearLog();
    EXPECT_FALSE(cor.execute());
    EXPECT_EQ(dialogs.texts(), QStringList{"This feature is not implemented yet"});
}

class CorrelationFrameTest : public FrameSession {};

TEST_F(CorrelationFrameTest, TheStatisticsMenuOpensTheWindowAndItsToolsRedrawTheSheet) {
    ASSERT_NO_FATAL_FAILURE(openFrame(fillTables));
    frame.resize(1200, 800);
    const auto item = [](QMenuBar* bar, const QString& menu, const QString& caption) {
        for (QAction* m : bar->actions())
            if (m->text() == menu)
                for (QAction* a : m->menu()->actions())
                    if (a->text() == caption)
                        return a;
        return static_cast<QAction*>(nullptr);
    };
    QAction* open = item(frame.menuBar(), "&Statistics", "&Correlation matrix...");
    ASSERT_TRUE(open);
    open->trigger();
    auto* view = qobject_cast<CorrelationView*>(frame.area()->activeSubWindow()->widget());
    ASSERT_TRUE(view);
    view->findChild<QComboBox*>(QStringLiteral("ComboT1"))->setCurrentText("Cor");
    ASSERT_TRUE(view->execute()) << dialogs.texts().join(u'|').toStdString();
    ASSERT_EQ(view->tabs()->count(), 2);
    auto* table = qobject_cast<QTableView*>(view->tabs()->widget(0));
    ASSERT_TRUE(table);
    const QModelIndex xy = table->model()->index(2, 3); // X against Y
    EXPECT_EQ(xy.data().toString(), QStringLiteral("0.980"));
    EXPECT_TRUE(table->isColumnHidden(5)); // past the four fields

    dialogs.queueText(QStringLiteral("5"));
    item(view->menuBar(), "&Tool", "&Digits...")->trigger();
    EXPECT_EQ(xy.data().toString(), QStringLiteral("0.98018"));
    dialogs.queueText(QStringLiteral("0.9"));
    item(view->menuBar(), "&Tool", "&Highlight...")->trigger();
    EXPECT_TRUE(xy.data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(table->model()->index(2, 4).data(Qt::FontRole).value<QFont>().bold()); // X-Z
    EXPECT_FALSE(table->model()->index(2, 2).data(Qt::FontRole).value<QFont>().bold()); // X-X

    // The cursor on Z's row: "&Del ColRow" asks and removes it from the shown sheet.
    table->setCurrentIndex(table->model()->index(4, 0));
    dialogs.queueAnswer(Answer::Yes);
    view->findChild<QPushButton*>(QStringLiteral("Command5"))->click();
    EXPECT_TRUE(table->isColumnHidden(4));
    EXPECT_EQ(table->model()->index(0, 3).data().toString(), QStringLiteral("Y"));
}
} // namespace
