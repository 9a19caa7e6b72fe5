// The population analysis window in the running frame: opened by VIEW POPULATION, its defaults
// kept in the user's ini file, a new result database from its "New" button, a program saved and
// opened as a .pmc file from its menu, and Run narrowing each population by a Criteria row and
// storing one row per population.
#include "automation/ui/PopulationView.h"
#include "app/FrameSession.h"
#include "app/ui/FrameCommands.h"
#include "automation/CommandInterpreter.h"
#include "platform/IniFile.h"

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

namespace {

class PopulationViewTest : public FrameSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(makeDatabase(
            {"CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Site TEXT, Cu REAL)",
             "INSERT INTO Samples VALUES ('S1','North',10),('S2','North',30),('S3','O''Hara',5)"}));
        frame.bind({window, browser, session, dialogs, {dir.path(), dir.path()}});
        ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
        frame.show();
    }
    void press(QWidget& w, const QString& caption) {
        for (QPushButton* b : w.findChildren<QPushButton*>())
            if (b->text() == caption) {
                b->click();
                return;
            }
        FAIL() << "no button " << caption.toStdString();
    }
    void menu(QWidget& w, const QString& caption) {
        for (QAction* a : w.findChildren<QAction*>())
            if (a->text() == caption) {
                a->trigger();
                return;
            }
        FAIL() << "no menu item " << caption.toStdString();
    }
};

TEST_F(PopulationViewTest, RunFromTheWindowStoresARowPerPopulation) {
    ASSERT_TRUE(frame.commands()->interpreter().execute("VIEW POPULATION").ok);
    auto* view = frame.findChild<PopulationView*>();
    ASSERT_NE(view, nullptr);
    // An empty program is a form: its eight columns are headed by what goes into them.
    const QAbstractItemModel* form = view->findChild<QTableView*>("F1PEdit")->model();
    ASSERT_GE(form->columnCount(), 8);
    EXPECT_EQ(form->headerData(0, Qt::Horizontal).toString(), "A Action");
    EXPECT_EQ(form->headerData(3, Qt::Horizontal).toString(), "D Operator / statistic");
    EXPECT_EQ(form->headerData(7, Qt::Horizontal).toString(), "H Second field");
    EXPECT_EQ(form->headerData(8, Qt::Horizontal).toString(), "I");
    view->findChild<QComboBox*>("cmbT")->setCurrentText("Samples");
    view->findChild<QComboBox*>("cmbF")->setCurrentText("Site");
    view->findChild<QComboBox*>("cmbKey")->setCurrentText("SampleNo");
    ASSERT_EQ(view->findChild<QComboBox*>("cmbKey")->currentText(), "SampleNo");
    // Set As Default writes the user's file, not the program's.
    press(*view, "Set As Default");
    EXPECT_EQ(IniFile::load(dir.filePath("ini/QuvData.ini"))
                  .value(PopulationWindow::section(), "PopIDField")
                  .value_or(QString()),
              "Site");

    Sheet& program = view->controller().program;
    const std::vector<QStringList> lines{{"Criteria", "Samples", "Cu", "<", "20"},
                                         {"Analyze", "Samples", "Cu", "max", "", "Mem1"},
                                         {"Store", "", "", "", "Mem1", "MaxCu", "N"}};
    for (int r = 0; r < int(lines.size()); ++r)
        for (int c = 0; c < lines[size_t(r)].size(); ++c)
            program.setText(r + 1, c + 1, lines[size_t(r)][c]);
    const QString pmc = dir.filePath("max.pmc");
    dialogs.queueText(pmc);
    menu(*view, "&Save Macro");
    program.clear();
    dialogs.queueText(pmc);
    menu(*view, "&Open Macro");
    EXPECT_EQ(view->controller().program.text(3, 6), "MaxCu");

    const QString results = dir.filePath("results.sqlite");
    dialogs.queueText(results);
    press(*view, "New");
    dialogs.queueAnswer(Answer::Yes);
    press(*view, "Run");
    EXPECT_TRUE(dialogs.texts().contains("Store in database (" + results + ") ?"));
    EXPECT_TRUE(view->findChild<QPlainTextEdit*>()->toPlainText().contains("Cases: 2"));

    auto opened = SqliteConnection::open(results);
    ASSERT_TRUE(opened.ok());
    const auto rows = opened.connection->query("SELECT PopID, MaxCu FROM Analysis ORDER BY PopID");
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->rowCount(), 2);
    // The Criteria row leaves North its sample below 20.
    EXPECT_EQ(rows->at(0, 0).toText() + "=" + rows->at(0, 1).toText(), "North=10");
    EXPECT_EQ(rows->at(1, 0).toText() + "=" + rows->at(1, 1).toText(), "O'Hara=5");
}

} // namespace
