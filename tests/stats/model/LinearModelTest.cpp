// The linear model window reached from the frame's "Statistics" menu over a real SQLite file.
// Reference values from R 4.2: cor(y, x1), coef(lm(y ~ x1)), then on its residuals
// cor(res, x2, use = "complete.obs") = 0.28998 and coef(lm(res ~ x2)).
#include "app/FrameSession.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"
#include "stats/model/ui/LinearModelView.h"
#include "stats/ui/ComparisonWindowSet.h"
#include "support/TestPaths.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

namespace {

class LinearModelTest : public FrameSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(openFrame(
            {"CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Y DOUBLE, X1 DOUBLE, X2 DOUBLE)",
             "INSERT INTO Samples VALUES ('S01', 5.6209, 1.2, 5.1), ('S02', 7.1661, 2.5, 3.2), "
             "('S03', 11.18, 3.1, 6.6), ('S04', 15.8746, 4.8, 2.4), ('S05', 16.2913, 5.0, 7.9), "
             "('S06', 21.1534, 6.3, 4.4), ('S07', 23.6097, 7.7, 3.8), "
             "('S08', 24.8603, 8.1, 6.1), ('S09', 29.2267, 9.4, 2.2), "
             "('S10', 31.7167, 10.2, 5.5), ('S11', 36.3731, 11.5, 4.9), "
             "('S12', 38.29, 12.9, 3.3)",
             // An observed 0 and a missing X.
             "CREATE TABLE Zero (SampleNo TEXT PRIMARY KEY, Y DOUBLE, X DOUBLE)",
             "INSERT INTO Zero VALUES ('Z1', 0, 1), ('Z2', 2, 2), ('Z3', 4, 3), ('Z4', 6, NULL)",
             "CREATE VIEW f_Big AS SELECT * FROM Zero WHERE X > 1"}));
        for (QMenu* menu : frame.menuBar()->findChildren<QMenu*>())
            if (menu->title() == QLatin1String("&Statistics"))
                for (QAction* a : menu->actions())
                    if (a->text() == QLatin1String("&Linear Model..."))
                        a->trigger();
        view = frame.findChild<LinearModelView*>();
        ASSERT_NE(view, nullptr);
    }
    LinearModelWindow& model() { return view->controller(); }
    void choose(const char* table, const char* item, QStringList fields) {
        model().item = {QString::fromLatin1(table), QString::fromLatin1(item)};
        model().clearVariables();
        for (const QString& f : fields)
            model().addVariable({QString::fromLatin1(table), f});
    }
    static QStringList row(const Sheet& s, int r) {
        QStringList out;
        for (int c = 1; c <= s.lastColumn(); ++c)
            out << s.text(r, c);
        return out;
    }

    LinearModelView* view = nullptr;
};

TEST_F(LinearModelTest, CreatedFromTheWindowWithItsBookAndCharts) {
    view->findChild<QComboBox*>(QStringLiteral("cmbYTable"))->setCurrentText("Samples");
    view->findChild<QComboBox*>(QStringLiteral("cmbYField"))->setCurrentText("Y");
    view->findChild<QComboBox*>(QStringLiteral("cmbXTable"))->setCurrentText("Samples");
    auto* available = view->findChild<QListWidget*>(QStringLiteral("lstAvailable"));
    for (const char* f : {"X2", "X1"})
        emit available->itemDoubleClicked(available->findItems(f, Qt::MatchExactly).first());
    EXPECT_EQ(view->findChild<QListWidget*>(QStringLiteral("lstItems"))->count(), 2);
    for (QPushButton* b : view->findChildren<QPushButton*>())
        if (b->text() == QLatin1String("Create Model"))
            b->click();
    ASSERT_TRUE(model().model()) << dialogs.texts().join('\n').toStdString();
    QStringList tabs;
    for (int i = 0; i < view->tabs()->count(); ++i)
        tabs << view->tabs()->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Model", "MBC", "MLC", "MLIN", "MXY"}));
    const Sheet& table = *model().book().findSheet(LinearModelWindow::modelSheet());
    EXPECT_EQ(row(table, 1), (QStringList{"Variables explaining Y", "Modeled", "Explains", "R",
                                          "Eq", "Multipl.", "Constant", "VAR", "%Variance"}));
    // X1 first (r = 0.997); X2 then correlates 0.29 with the residual, below Rmin 0.30.
    ASSERT_EQ(table.lastRow(), 2);
    EXPECT_EQ(table.text(2, 1), QStringLiteral("Samples.X1"));
    EXPECT_EQ(table.text(2, 5), QStringLiteral("2.930503578*x + 1.58417951"));
    EXPECT_NEAR(*table.number(2, 4), 0.9970019886827034, 1e-12);
    EXPECT_NEAR(*table.number(2, 8), 0.71028047503256531, 1e-9);
    EXPECT_NEAR(*table.number(2, 9), 100 * (1 - 0.71028047503256531 / 118.63644139515152), 1e-9);
    EXPECT_EQ(model().barChart().series.at(0).pointCount(), 1);
    EXPECT_EQ(model().lineChart().series.size(), 2u);
    EXPECT_EQ(model().xyChart().series.at(0).pointCount(), 12);
    const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
    QDir().mkpath(out);
    view->resize(1100, 720);
    EXPECT_TRUE(view->grab().toImage().save(out + QStringLiteral("/linear-model-window.png")));

    // The template keeps the item, the variables in order and the options.
    view->findChild<QLineEdit*>(QStringLiteral("txtRmin"))->setText(QStringLiteral("0.25"));
    dialogs.queueText(dir.filePath(QStringLiteral("model.txt")));
    ASSERT_TRUE(view->saveTemplate());
    model().clearVariables();
    dialogs.queueText(dir.filePath(QStringLiteral("model.txt")));
    ASSERT_TRUE(view->openTemplate());
    EXPECT_EQ(model().variables,
              (std::vector<ModelVariable>{{"Samples", "X2"}, {"Samples", "X1"}}));
    EXPECT_EQ(view->findChild<QLineEdit*>(QStringLiteral("txtRmin"))->text(),
              QStringLiteral("0.25"));
}

TEST_F(LinearModelTest, StepsStopAtRminAtMaxVarsAndWhenNothingIsLeft) {
    const struct {
        const char* name;
        LinearModelOptions options;
        std::vector<double> r; // per step
    } cases[] = {
        {"Rmin 0.30 against 0.29", {false, false, 10, 0.30}, {0.9970019886827034}},
        {"Rmin 0.25", {false, false, 10, 0.25}, {0.9970019886827034, 0.28997589784083067}},
        {"Max Vars 1", {false, false, 1, 0.25}, {0.9970019886827034}},
        // In list order X2 comes first: its r with Y is below Rmin and the run ends.
        {"list order", {false, true, 10, 0.30}, {}},
        {"use all in list order",
         {true, true, 1, 0.99},
         {-0.17614240591962496, 0.97719730433420304}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        choose("Samples", "Y", {"X2", "X1"});
        model().options = c.options;
        ASSERT_TRUE(model().createModel()) << dialogs.texts().join('\n').toStdString();
        const LinearModel& m = *model().model();
        ASSERT_EQ(m.steps.size(), c.r.size());
        for (size_t i = 0; i < c.r.size(); ++i)
            EXPECT_NEAR(m.steps[i].r, c.r[i], 1e-12);
    }
    // The second step is the regression of the first residual on X2.
    choose("Samples", "Y", {"X2", "X1"});
    model().options = {false, false, 10, 0.25};
    ASSERT_TRUE(model().createModel());
    EXPECT_NEAR(model().model()->steps[1].slope, 0.14063556375726913, 1e-12);
    EXPECT_NEAR(model().model()->steps[1].intercept, -0.64926751934605909, 1e-12);
}

TEST_F(LinearModelTest, MissingXLeavesTheRowUnmodeledAndObservedZeroHasNoPercent) {
    choose("Zero", "Y", {"X"});
    model().options = {true, false, 10, 0.30};
    const FilterBaseResolver filters(*session.connection(), session.catalogue());
    EXPECT_EQ(model().statement(LinkSearch(session.catalogue(), filters)),
              QStringLiteral("SELECT [Zero].[Y], [Zero].[X] FROM [Zero] WHERE ([Zero].[Y] IS NOT "
                             "NULL) ORDER BY [Zero].[SampleNo]"));
    ASSERT_TRUE(model().createModel());
    const Sheet& mlc = *model().book().findSheet(QStringLiteral("MLC"));
    // Y = 2x - 2 over the rows with an X.
    EXPECT_EQ(row(mlc, 2), (QStringList{"1", "0", "0", "0", "", "", "0"}));
    EXPECT_EQ(row(mlc, 3), (QStringList{"2", "2", "2", "0", "0", "0", "0"}));
    EXPECT_EQ(row(mlc, 5), (QStringList{"4", "6", "", "", "", "", ""}));

    // A filter joins its view on the key: Z2 and Z3 are left.
    model().useFilter = true;
    model().filter = QStringLiteral("Big");
    EXPECT_EQ(model().statement(LinkSearch(session.catalogue(), filters)),
              QStringLiteral("SELECT [Zero].[Y], [Zero].[X] FROM [Zero], [f_Big] WHERE "
                             "([Zero].[SampleNo]=[f_Big].[SampleNo] AND [Zero].[Y] IS NOT NULL) "
                             "ORDER BY [Zero].[SampleNo]"));
    ASSERT_TRUE(model().createModel()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(model().model()->rows, 2);
}

} // namespace
