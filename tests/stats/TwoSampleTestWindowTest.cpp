// The t-test window over real engines (a SQLite file, and the PostgreSQL server when
// QUV_PG_CONNINFO names one) and reached through the frame's "Statistics" menu: the same
// samples read as two fields and as two classes of one field give R's results.
#include "stats/TwoSampleTestWindow.h"
#include "app/FrameSession.h"
#include "platform/HeadlessStatus.h"
#include "platform/TransactionScope.h"
#include "stats/ui/TwoSampleTestView.h"
#include "support/EngineSession.h"
#include "support/PgScratchSchema.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTableView>

namespace {
const double xs[] = {12.1, 14.3, 11.8, 15.2, 13.9, 12.7, 16.4, 13.1, 14.8, 12.2};
const double ys[] = {13.4, 15.9, 12.2, 17.8, 15.1, 13.0, 18.9, 14.6, 16.2, 13.3};

// Pairs: X and Y side by side. Long: the same values stacked, Grp naming the sample, plus a
// third class "z" and a row whose value is not a number. The stored query Paired: X and Y.
void fillSamples(Connection& db) {
    for (const char* sql :
         {"CREATE TABLE [Pairs] ([SampleNo] TEXT(10) CONSTRAINT [pkPairs] PRIMARY KEY, [X] "
          "DOUBLE, [Y] DOUBLE)",
          "CREATE TABLE [Long] ([SampleNo] TEXT(10) CONSTRAINT [pkLong] PRIMARY KEY, [Grp] "
          "TEXT(10), [V] TEXT(20))",
          "CREATE VIEW [Paired] AS SELECT [X], [Y] FROM [Pairs]"})
        ASSERT_TRUE(db.execute(QString::fromLatin1(sql))) << db.lastError().toStdString();
    TransactionScope t(db);
    const auto id = [](const char* prefix, int i) {
        return CellValue::text(QString::fromLatin1(prefix) + QString::number(i));
    };
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO [Pairs] VALUES (?, ?, ?)"),
                               {id("P", i), CellValue::number(xs[i]), CellValue::number(ys[i])}));
        for (const auto& [grp, v] : {std::pair{"x", xs[i]}, std::pair{"y", ys[i]}})
            ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO [Long] VALUES (?, ?, ?)"),
                                   {id(grp, i), CellValue::text(QString::fromLatin1(grp)),
                                    CellValue::text(QString::number(v))}));
    }
    ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO [Long] VALUES ('z1', 'z', '1'), "
                                          "('z2', 'z', '2'), ('x-bdl', 'x', '<0.5')")));
    ASSERT_TRUE(t.commit());
}

// The value beside the row headed by text, at or after row `from`.
std::optional<double> after(const Sheet& s, const QString& text, int column = 2, int from = 1) {
    for (int r = from; r <= s.lastRow(); ++r)
        if (s.text(r, 1) == text)
            return s.number(r, column);
    return std::nullopt;
}

int rowOf(const Sheet& s, const QString& startsWith) {
    for (int r = 1; r <= s.lastRow(); ++r)
        if (s.text(r, 1).startsWith(startsWith))
            return r;
    return 0;
}

class TwoSampleTestEnginesTest : public EngineSession {
protected:
    void SetUp() override { openSession(QStringLiteral("quv_ttest"), fillSamples); }
};

INSTANTIATE_TEST_SUITE_P(Engines, TwoSampleTestEnginesTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

TEST_P(TwoSampleTestEnginesTest, FieldsAndClassesGiveTheSameTestsAsR) {
    TwoSampleTestWindow fields(*session, dialogs, status);
    fields.xTable = fields.yTable = QStringLiteral("Pairs");
    fields.xField = QStringLiteral("X");
    fields.yField = QStringLiteral("Y");
    ASSERT_TRUE(fields.execute()) << dialogs.texts().join(u'|').toStdString();

    TwoSampleTestWindow classes(*session, dialogs, status);
    classes.xTable = classes.yTable = QStringLiteral("Long");
    classes.xField = QStringLiteral("V");
    classes.yField = QStringLiteral("Grp");
    classes.yIsClassifier = true;
    classes.classA = QStringLiteral("x");
    classes.classB = QStringLiteral("y");
    ASSERT_TRUE(classes.execute()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(classes.classes(), (QStringList{"x", "y", "z"}));

    for (const Sheet* s : {&fields.result(), &classes.result()}) {
        EXPECT_EQ(s->text(1, 1), TwoSampleTestWindow::title());
        EXPECT_EQ(after(*s, "N"), 10); // "<0.5" is no number
        EXPECT_EQ(after(*s, "N", 3), 10);
        // Rel.diff.% of the averages, against sample A.
        EXPECT_NEAR(*after(*s, "Average", 4), (15.04 - 13.65) * 100 / 13.65, 1e-9);
        const int pooled = rowOf(*s, "T-test (to test are the averages significantly different "
                                     "when variances are equal)");
        const int f = rowOf(*s, "F-test");
        const int ks = rowOf(*s, "Kolmogorov-Smirnov");
        ASSERT_TRUE(pooled && f && ks);
        EXPECT_NEAR(*after(*s, "T", 2, pooled), -1.652876, 1e-6);
        EXPECT_NEAR(*after(*s, "PROB% (significance)", 2, pooled), 11.56913, 1e-5);
        EXPECT_EQ(s->text(pooled + 4, 1),
                  QStringLiteral("Difference is not statistically significant"));
        EXPECT_NEAR(*after(*s, "F", 2, f), 2.044678, 1e-6);
        EXPECT_NEAR(*after(*s, "D", 2, ks), 0.3, 1e-12);
    }
    // Paired only when the samples are two fields of the same rows.
    const int paired = rowOf(fields.result(), "Paired T-test");
    EXPECT_NEAR(*after(fields.result(), "T", 2, paired), -5.868585, 1e-6);
    EXPECT_EQ(fields.result().text(paired + 4, 1),
              QStringLiteral("Difference is statistically very significant"));
    EXPECT_EQ(classes.result().text(rowOf(classes.result(), "Paired T-test") + 1, 1),
              TwoSampleTestWindow::cannotBeCalculated());

    // The classes compared are the ones chosen: "z" (1 and 2) lies wholly below "x".
    classes.classA = QStringLiteral("z");
    classes.classB = QStringLiteral("x");
    ASSERT_TRUE(classes.execute());
    EXPECT_EQ(classes.result().text(4, 2), QStringLiteral("Value: z"));
    EXPECT_NEAR(*after(classes.result(), "D", 2, rowOf(classes.result(), "Kolmogorov")), 1, 1e-12);
}

class TwoSampleTestFrameTest : public FrameSession {};

TEST_F(TwoSampleTestFrameTest, TheStatisticsMenuOpensTheWindowThatShowsTheTests) {
    ASSERT_NO_FATAL_FAILURE(openFrame(fillSamples));
    frame.resize(1200, 800);
    QAction* open = nullptr;
    for (QAction* menu : frame.menuBar()->actions())
        if (menu->text() == QStringLiteral("&Statistics"))
            for (QAction* item : menu->menu()->actions())
                if (item->text() == QStringLiteral("&t-test..."))
                    open = item;
    ASSERT_TRUE(open);
    open->trigger();
    auto* view = qobject_cast<TwoSampleTestView*>(frame.area()->activeSubWindow()->widget());
    ASSERT_TRUE(view);
    view->findChild<QComboBox*>(QStringLiteral("cmbDTable"))->setCurrentText("Long");
    view->findChild<QComboBox*>(QStringLiteral("cmbDField"))->setCurrentText("V");
    view->findChild<QComboBox*>(QStringLiteral("cmbDTable2"))->setCurrentText("Long");
    view->findChild<QComboBox*>(QStringLiteral("cmbDField2"))->setCurrentText("Grp");
    view->findChild<QCheckBox*>(QStringLiteral("chkClass"))->setChecked(true);
    ASSERT_TRUE(view->execute()) << dialogs.texts().join(u'|').toStdString();
    // The first run compares the first two classes and offers all three.
    auto* classB = view->findChild<QComboBox*>(QStringLiteral("cmbClassB"));
    EXPECT_EQ(classB->count(), 3);
    classB->setCurrentText("z");
    ASSERT_TRUE(view->execute());
    const QAbstractItemModel* shown = view->table()->model();
    EXPECT_EQ(shown->index(3, 2).data().toString(), QStringLiteral("Value: z"));
    EXPECT_EQ(shown->index(0, 0).data().toString(), TwoSampleTestWindow::title());
    EXPECT_FALSE(view->table()->isRowHidden(5));

    // "Check to use queries" offers the stored query beside the tables, with its fields.
    auto* xTable = view->findChild<QComboBox*>(QStringLiteral("cmbDTable"));
    EXPECT_EQ(xTable->findText("Paired"), -1);
    view->findChild<QCheckBox*>(QStringLiteral("chkQ"))->setChecked(true);
    xTable->setCurrentText("Paired");
    view->findChild<QComboBox*>(QStringLiteral("cmbDField"))->setCurrentText("X");
    view->findChild<QComboBox*>(QStringLiteral("cmbDTable2"))->setCurrentText("Paired");
    view->findChild<QComboBox*>(QStringLiteral("cmbDField2"))->setCurrentText("Y");
    view->findChild<QCheckBox*>(QStringLiteral("chkClass"))->setChecked(false);
    ASSERT_TRUE(view->execute()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(view->table()->model()->index(3, 1).data().toString(), QStringLiteral("X"));
    EXPECT_EQ(view->table()->model()->index(4, 1).data().toString(), QStringLiteral("10"));

    // Picked again from the menu: the same window comes forward.
    open->trigger();
    EXPECT_EQ(frame.area()->activeSubWindow()->widget(), view);
}
} // namespace
