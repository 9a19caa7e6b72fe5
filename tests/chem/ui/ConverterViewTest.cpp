// The converter window reached as a person reaches it: "Tools" > "Converter..." and the macro
// line VIEW CONV open it over the settings' mineral library or, without settings, over the
// library the program ships; choosing a mineral shows its composition in the chosen layout.
#include "chem/ui/ConverterView.h"
#include "app/FrameSession.h"
#include "app/ui/FrameMacro.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>

namespace {
QAction* menuAction(const QList<QAction*>& actions, const QString& caption) {
    for (QAction* a : actions)
        if (a->text() == caption)
            return a;
    return nullptr;
}

class ConverterViewTest : public FrameSession {
protected:
    void bindWithLibrary(const QString& database, const QString& table) {
        MainFrame::Parts parts{window, browser, session, dialogs, {dir.path(), dir.path()}};
        parts.mineralLibraryDb = database;
        parts.mineralLibraryTable = table;
        frame.bind(parts);
        frame.resize(900, 700);
        frame.show();
    }
    ConverterView* openFromMenu() {
        QAction* tools = menuAction(frame.menuBar()->actions(), "&Tools");
        QAction* item = tools ? menuAction(tools->menu()->actions(), "Converter...") : nullptr;
        if (!item)
            return nullptr;
        item->trigger();
        return frame.findChild<ConverterView*>();
    }
    static void choose(ConverterView* view, const QString& mineral) {
        const int index = view->mineralList()->findText(mineral);
        ASSERT_GE(index, 0) << mineral.toStdString();
        view->mineralList()->setCurrentIndex(index);
        emit view->mineralList()->activated(index);
    }
};
} // namespace

TEST_F(ConverterViewTest, SettingsLibraryMineralsLayoutsAndCopy) {
    const QString library = dir.filePath("minerals.sqlite");
    {
        auto db = SqliteConnection::open(library, SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(db.ok());
        ASSERT_TRUE(
            db.connection->execute("CREATE TABLE [My Minerals] (Mineral TEXT, Formula TEXT)"));
        ASSERT_TRUE(db.connection->execute(
            "INSERT INTO [My Minerals] VALUES ('Gypsum', 'CaSO4*2H2O'), "
            "('O''Neil''s hematite', 'Fe2O3'), ('Olivine', '(Mg0.9,Fe0.1)2SiO4')"));
    }
    bindWithLibrary(library, "My Minerals");
    ConverterView* view = openFromMenu();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle(), "QUV Data - Converter");
    ASSERT_EQ(view->mineralList()->count(), 3);

    // A quote in the name is a plain character of a bound value.
    choose(view, "O'Neil's hematite");
    EXPECT_EQ(view->formulaBox()->currentText(), "Fe2O3");
    EXPECT_EQ(view->modeBox()->text(), "Combos");
    EXPECT_EQ(view->resultPages()->currentIndex(), 0);
    EXPECT_EQ(view->oxideList()->itemText(0), "Fe2O3 100.000 %");
    EXPECT_EQ(view->elementList()->itemText(0), "Fe 69.943 %");

    // Wild cards are no wild cards; a name with no record changes nothing.
    EXPECT_FALSE(view->controller().chooseMineral("Gyp%"));
    EXPECT_FALSE(view->controller().chooseMineral("Gyp*"));
    EXPECT_EQ(view->controller().formula(), "Fe2O3");

    choose(view, "Gypsum");
    view->upButton()->click();
    EXPECT_EQ(view->modeBox()->text(), "Text");
    EXPECT_TRUE(view->resultText()->toPlainText().contains("  CaO 32.572 %"))
        << view->resultText()->toPlainText().toStdString();
    view->upButton()->click();
    EXPECT_EQ(view->modeBox()->text(), "Table");
    ASSERT_EQ(view->resultTable()->rowCount(), 5); // Ca S O H, then the sums
    EXPECT_EQ(view->resultTable()->item(4, 3)->text(), "100.000");
    const QString out = testpaths::binaryDir() + "/test-output";
    QDir().mkpath(out);
    EXPECT_TRUE(view->grab().save(out + "/converter-table.png"));
    view->upButton()->click();
    EXPECT_EQ(view->modeBox()->text(), "Combos"); // three steps return to the start
    view->downButton()->click();
    EXPECT_EQ(view->modeBox()->text(), "Table");

    QAction* copy = menuAction(view->findChild<QMenuBar*>()->actions(), "&Copy result");
    ASSERT_NE(copy, nullptr);
    copy->trigger();
    EXPECT_TRUE(
        QApplication::clipboard()->text().startsWith("Element\tWt%\tOxide\tWt%\nCa\t23.279"))
        << QApplication::clipboard()->text().toStdString();

    // A typed formula; one that cannot be read says why and keeps the last result.
    view->formulaBox()->setCurrentText("Mg2SiO4");
    view->findChild<QPushButton*>()->click();
    EXPECT_EQ(view->resultTable()->item(0, 2)->text(), "MgO");
    view->formulaBox()->setCurrentText("Mg2SiO4)");
    view->findChild<QPushButton*>()->click();
    EXPECT_EQ(dialogs.texts().value(0),
              "Cannot calculate Mg2SiO4): Unexpected \")\" in the formula");
    EXPECT_EQ(view->resultTable()->item(0, 2)->text(), "MgO");

    // Asked for again, the one window comes forward.
    EXPECT_EQ(openFromMenu(), view);
    EXPECT_EQ(frame.findChildren<ConverterView*>().size(), 1);
}

TEST_F(ConverterViewTest, WithoutSettingsTheShippedLibraryOpensThroughTheMacroLine) {
    bindWithLibrary({}, {});
    const QString macro = dir.filePath("conv.amc");
    QFile file(macro);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("VIEW CONV\n");
    file.close();
    ASSERT_TRUE(
        FrameMacro::run(macro, frame, session, dialogs, dir.path(), dir.filePath("lastfiles.ini")))
        << dialogs.texts().join('\n').toStdString();
    auto* view = frame.findChild<ConverterView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(QFile::exists(dir.filePath("MineralLibrary.sqlite")));
    EXPECT_GE(view->mineralList()->count(), 100);
    // Every shipped formula can be read, and its elements make up the whole.
    for (const QString& mineral : view->controller().minerals()) {
        choose(view, mineral);
        const auto& result = view->controller().result();
        ASSERT_TRUE(result) << mineral.toStdString();
        EXPECT_NEAR(result->elementSum, 100.0, 1e-9) << mineral.toStdString();
        EXPECT_EQ(view->formulaBox()->currentText(), result->formula);
    }
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('\n').toStdString();
}
