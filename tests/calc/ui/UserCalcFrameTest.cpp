// Through the program's windows: a calculation made in "User Defined Derivatives", stored into a
// new field and kept by name, then drawn as the Y axis of a diagram (SiO2 against Na2O + K2O)
// through the "Calc" source; and the grid's "Update Column..." dialog on its own grid.
#include "app/FrameSession.h"
#include "calc/ui/UserCalcView.h"
#include "diagram/ui/CalcAxisDialog.h"
#include "diagram/ui/DiagramCalcControls.h"
#include "diagram/ui/DiagramView.h"
#include "grid/ui/ColumnUpdateDialog.h"
#include "grid/ui/GridWindow.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

namespace {

class UserCalcFrameTest : public FrameSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(makeDatabase(
            {"CREATE TABLE Chem (SampleNo TEXT PRIMARY KEY, Rock TEXT, SiO2 REAL, Na2O REAL, "
             "K2O REAL)",
             "INSERT INTO Chem VALUES ('B-1', 'Basalt', 49.5, 2.5, 0.5)",
             "INSERT INTO Chem VALUES ('A-2', 'Andesite', 58.0, 3.5, 1.25)",
             "INSERT INTO Chem VALUES ('R-3', 'Rhyolite', 74.0, 3.75, 4.5)",
             "INSERT INTO Chem VALUES ('X-4', 'Unknown', 60.0, NULL, 2.0)"}));
        frame.bind({window,
                    browser,
                    session,
                    dialogs,
                    {dir.path(), dir.path()},
                    dir.filePath(QStringLiteral("QUVData.sqlite"))});
        ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
        dialogs.clearLog();
    }
};

TEST_F(UserCalcFrameTest, ACalculationIsStoredKeptAndDrawnAsACalcAxis) {
    actionAt(frame.menuBar(), {"&Tools", "User Defined Derivatives..."})->trigger();
    auto* calc = frame.findChild<UserCalcView*>();
    ASSERT_NE(calc, nullptr);
    for (int v = 0; v < 2; ++v)
        calc->tablePicker(v)->setCurrentText(QStringLiteral("Chem"));
    calc->fieldPicker(0)->setCurrentText(QStringLiteral("Na2O"));
    calc->fieldPicker(1)->setCurrentText(QStringLiteral("K2O"));
    calc->equation()->setText(QStringLiteral("ROUND(a,2)+"));
    // Choosing a function inserts its name and "(".
    calc->functions()->activated(calc->functions()->findText(QStringLiteral("SUM (n, m, ...)")));
    EXPECT_EQ(calc->equation()->text(), QStringLiteral("ROUND(a,2)+SUM("));
    calc->equation()->setText(QStringLiteral("a+b"));
    calc->findChild<QPushButton*>(QStringLiteral("cmdCalculate"))->click();
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("4 calculated, of which 1 failed (due to Null value or "
                                         "zero denominator).\r\nDefine the storage place.")});
    EXPECT_EQ(calc->summary()->text(),
              QStringLiteral("Error in 1 cases of 4 calculated. Result in error cases = Null"));
    EXPECT_TRUE(calc->resultText()->toPlainText().endsWith(QStringLiteral("Result: 3")));

    calc->storeTable()->setCurrentText(QStringLiteral("Chem"));
    calc->storeField()->setCurrentText(UserCalcWindow::newFieldChoice());
    calc->newField()->setText(QStringLiteral("Alkali"));
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(calc->store());
    const auto stored = session.connection()->query(
        QStringLiteral("SELECT [Alkali] FROM [Chem] ORDER BY [SampleNo]"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->at(0, 0).toText(), QStringLiteral("4.75"));
    EXPECT_TRUE(stored->at(3, 0).isNull());
    // The new field is offered at once.
    EXPECT_GE(calc->storeField()->findText(QStringLiteral("Alkali")), 0);

    dialogs.queueText(QStringLiteral("TAS alkalis"));
    ASSERT_TRUE(calc->saveCalculation());
    EXPECT_EQ(calc->storedList()->item(0)->text(), QStringLiteral("TAS alkalis"));

    // The diagram: X a plain field, Y the kept calculation through the "Calc" label's editor.
    actionAt(frame.menuBar(), {"&View", "&Graph"})->trigger();
    DiagramView* diagram = frame.currentDiagram();
    ASSERT_NE(diagram, nullptr);
    diagram->findChild<QComboBox*>(QStringLiteral("xTable"))
        ->setCurrentText(QStringLiteral("Chem"));
    diagram->findChild<QComboBox*>(QStringLiteral("xField"))
        ->setCurrentText(QStringLiteral("SiO2"));
    diagram->findChild<QComboBox*>(QStringLiteral("classTable"))
        ->setCurrentText(QStringLiteral("Chem"));
    diagram->findChild<QComboBox*>(QStringLiteral("classField"))
        ->setCurrentText(QStringLiteral("Rock"));
    DiagramCalcControls* controls = diagram->calcControls();
    EXPECT_EQ(controls->check()->toolTip(),
              QStringLiteral("Check to use use element sums, ratios, etc."));
    EXPECT_EQ(controls->label(0)->toolTip(),
              QStringLiteral("Click this lable to edit calculated values for X-axis"));
    controls->check()->setChecked(true);
    bool edited = false;
    QTimer::singleShot(0, [&edited] {
        auto* editor = qobject_cast<CalcAxisDialog*>(QApplication::activeModalWidget());
        if (!editor)
            return;
        editor->stored()->setCurrentText(QStringLiteral("TAS alkalis"));
        edited = editor->useStored(editor->stored()->currentText());
        editor->accept();
    });
    emit controls->label(1)->linkActivated(QStringLiteral("calc"));
    ASSERT_TRUE(edited);
    EXPECT_EQ(diagram->findChild<QComboBox*>(QStringLiteral("yTable"))->currentText(),
              QStringLiteral("Calc"));
    EXPECT_EQ(diagram->findChild<QComboBox*>(QStringLiteral("yField"))->currentText(),
              QStringLiteral("Na2O-K2O"));

    ASSERT_TRUE(diagram->draw()) << dialogs.texts().join('\n').toStdString();
    const Figure& figure = diagram->controller().figure();
    EXPECT_EQ(figure.header, QStringLiteral("Na2O-K2O vs. SiO2"));
    std::map<QString, std::pair<double, double>> points;
    for (const Series& s : figure.series)
        for (const FigurePoint& p : s.points)
            points[s.name] = {p.x, p.y};
    // The row without Na2O is not drawn.
    EXPECT_EQ(points, (std::map<QString, std::pair<double, double>>{{"Andesite", {58.0, 4.75}},
                                                                    {"Basalt", {49.5, 3.0}},
                                                                    {"Rhyolite", {74.0, 8.25}}}));
    QDir().mkpath(testpaths::binaryDir() + QStringLiteral("/test-output"));
    diagram->resize(1000, 640);
    EXPECT_TRUE(diagram->grab().save(testpaths::binaryDir() +
                                     QStringLiteral("/test-output/calc-axis-tas.png")));
}

TEST_F(UserCalcFrameTest, GridUpdateColumnRunsFromItsDialog) {
    GridWindow* grid =
        frame.openGrid(QStringLiteral("SELECT * FROM [Chem]"), QStringLiteral("Table/Chem"));
    ASSERT_NE(grid, nullptr);
    QAction* item = actionAt(grid->findChild<QMenuBar*>(), {"&Tools", "Update Column..."});
    ASSERT_NE(item, nullptr);
    item->trigger();
    auto* dialog = grid->findChild<ColumnUpdateDialog*>();
    ASSERT_NE(dialog, nullptr);
    dialog->equationTarget()->setCurrentText(QStringLiteral("SiO2"));
    dialog->variable(0)->setCurrentText(QStringLiteral("Na2O"));
    dialog->variable(1)->setCurrentText(QStringLiteral("K2O"));
    dialog->equation()->setText(QStringLiteral("a+b"));
    dialog->ignoreNulls()->setChecked(true);
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_TRUE(dialog->runEquation());
    EXPECT_EQ(dialog->closeButton()->text(), QStringLiteral("Close"));
    EXPECT_EQ(dialogs.texts(),
              (QStringList{QStringLiteral("Are you sure to updata column SiO2 by a+b"),
                           QStringLiteral("Updated")}));
    dialog->closeButton()->click();
    const auto rows = session.connection()->query(
        QStringLiteral("SELECT [SiO2] FROM [Chem] ORDER BY [SampleNo]"));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->at(3, 0).toText(), QStringLiteral("2")); // Null Na2O counted as 0
    // The grid shows the new values once the dialog is closed (rows in key order: A-2, B-1).
    EXPECT_EQ(grid->table()->model()->index(1, 2).data().toString(), QStringLiteral("3"));
}

} // namespace
