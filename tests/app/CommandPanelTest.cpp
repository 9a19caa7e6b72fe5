// The command and macro panel in the running frame on the offscreen platform: typing into the
// command box with completion, SETACTIVEWINDOW naming its target in the caption, and a macro
// recorded from the person's actions, saved, opened again and replayed to the same picture.
#include "automation/CommandPanel.h"
#include "app/FrameSession.h"
#include "app/ui/FrameCommands.h"
#include "automation/CommandInterpreter.h"
#include "automation/MacroRecorder.h"
#include "automation/MainCommands.h"
#include "automation/ui/CommandPanelView.h"
#include "diagram/ui/DiagramObjectMenus.h"
#include "diagram/ui/DiagramView.h"
#include "figure/ui/FigureExporter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

QAction* menuItem(const QWidget& window, const QString& caption) {
    for (QAction* a : window.findChildren<QAction*>())
        if (a->text() == caption)
            return a;
    return nullptr;
}

class CommandPanelTest : public FrameSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(makeDatabase(
            {"CREATE TABLE Chem (SampleNo TEXT PRIMARY KEY, SiO2 REAL, MgO REAL)",
             "INSERT INTO Chem VALUES ('S1', 49, 8), ('S2', 72, 0.5), ('S3', 48, 9)",
             "CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Rock TEXT)",
             "INSERT INTO Samples VALUES ('S1', 'Basalt'), ('S2', 'Granite'), ('S3', 'Basalt')"}));
        frame.bind({window, browser, session, dialogs, {dir.path(), dir.path()}});
        frame.show();
        view = &frame.commands()->panelView();
        box = view->findChild<QLineEdit*>(QStringLiteral("Text1"));
        ASSERT_NE(box, nullptr);
    }
    // Types the text into the command box as a person would, key by key.
    void type(const QString& text) {
        for (const QChar c : text) {
            const int key = c == u' ' ? int(Qt::Key_Space) : 0;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
        }
    }
    void click(const char* button) {
        auto* b = view->findChild<QPushButton*>(QString::fromUtf8(button));
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }
    void execute(const QString& line) {
        box->clear();
        type(line);
        click("cmdExe");
    }
    QImage picture() {
        DiagramView* diagram = frame.currentDiagram();
        return diagram ? FigureExporter::image(diagram->controller().figure(), {400, 300})
                       : QImage();
    }

    CommandPanelView* view = nullptr;
    QLineEdit* box = nullptr;
};

TEST_F(CommandPanelTest, TheBoxCompletesAndSetactivewindowNamesItsTarget) {
    menuItem(frame, QStringLiteral("Command panel"))->trigger();
    EXPECT_TRUE(frame.commands()->dock()->isVisible());
    type(QStringLiteral("filt"));
    EXPECT_EQ(box->text(), QStringLiteral("FILT"));
    const auto* library = view->findChild<QListWidget*>(QStringLiteral("LstCommandLib"));
    ASSERT_EQ(library->count(), 4); // FILTER, FILTEROFF, FILTERON, FILTERONOFF
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(box, &down);
    type(QStringLiteral(" "));
    EXPECT_EQ(box->text(), QStringLiteral("FILTEROFF"));

    box->clear();
    execute(QStringLiteral("setactivewindow clipdata"));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("CommandLine of ClipData"));
    const auto* history = view->findChild<QListWidget*>(QStringLiteral("lstHistory"));
    ASSERT_EQ(history->count(), 1);
    EXPECT_EQ(history->item(0)->text(), QStringLiteral("SETACTIVEWINDOW clipdata"));
}

TEST_F(CommandPanelTest, ARecordedMacroSavedAndOpenedAgainReplaysTheSameFigure) {
    click("cmdRecord");
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    menuItem(frame, QStringLiteral("&Graph"))->trigger(); // through the VIEW dispatcher
    execute(QStringLiteral("CLASSES Samples;Rock"));
    execute(QStringLiteral("TABLESFIELDS Chem;SiO2;Chem;MgO"));
    execute(QStringLiteral("DRAW"));
    const QString equation = QStringLiteral("Y=x/8+1");
    QGuiApplication::clipboard()->setText(equation);
    menuItem(*frame.currentDiagram(), QStringLiteral("Trendline equation"))->trigger();
    menuItem(*frame.currentDiagram(), QStringLiteral("Copy"))->trigger();
    click("cmdRecord");
    const QStringList recorded{"OPENDB " + dbPath, "VIEW XY",
                               "DRAW2 XY;Chem;SiO2;Chem;MgO;;;Samples;Rock;",
                               ">PASTESPECIAL_TRENDLINE_EQUATION", ">EDIT_COPY"};
    ASSERT_EQ(frame.commands()->recorder().lines(), recorded);
    const QImage drawn = picture();
    ASSERT_FALSE(drawn.isNull());

    const QString path = dir.filePath(QStringLiteral("replay.amc"));
    dialogs.queueText(path);
    menuItem(frame, QStringLiteral("Save Macro..."))->trigger();
    EXPECT_EQ(dialogs.lastSuggestedPath(), dir.path() + QStringLiteral("/Books/MyMacro.amc"));
    click("cmdClearMacro");
    EXPECT_TRUE(frame.commands()->recorder().lines().isEmpty());
    frame.deleteChildWindows();
    ASSERT_EQ(frame.currentDiagram(), nullptr);

    dialogs.queueText(path);
    menuItem(frame, QStringLiteral("Open Macro..."))->trigger();
    EXPECT_EQ(view->findChild<QListWidget*>(QStringLiteral("macroSheet"))->count(), 5);
    QGuiApplication::clipboard()->setText(equation); // the paste takes what is there
    click("cmdRecord"); // Run stops recording first: the replay records nothing
    click("cmdRunMacro");
    EXPECT_FALSE(frame.commands()->recorder().recording());
    EXPECT_EQ(frame.commands()->recorder().lines(), recorded);
    ASSERT_EQ(frame.currentDiagram()->objectMenus().controller().objects.trendlines.size(), 1u);
    EXPECT_EQ(picture(), drawn);
}

// VIEW XY opens a new XY window filling the frame, VIEW TERN a ternary one; each kind is
// numbered in the order opened, and the View menu's Graph is VIEW XY.
TEST_F(CommandPanelTest, ViewXyAndTernOpenNumberedDiagramWindows) {
    const struct {
        const char* line; // typed into the command box; empty: the View menu's Graph
        const char* caption;
        const char* graphType;
    } cases[] = {{"VIEW XY", "XY Diagram (1)", "XY"},
                 {"view tern", "Ternary Diagram (1)", "Ternary"},
                 {"", "XY Diagram (2)", "XY"},
                 {"VIEW TERN", "Ternary Diagram (2)", "Ternary"}};
    for (const auto& c : cases) {
        if (*c.line)
            execute(QString::fromUtf8(c.line));
        else
            menuItem(frame, QStringLiteral("&Graph"))->trigger();
        DiagramView* diagram = frame.currentDiagram();
        ASSERT_NE(diagram, nullptr) << c.caption;
        EXPECT_EQ(diagram->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(diagram->controller().definition.graphType, QString::fromUtf8(c.graphType));
        if (QByteArray(c.graphType) == "XY") {
            EXPECT_TRUE(diagram->parentWidget()->isMaximized()) << c.caption;
        }
    }
    EXPECT_EQ(frame.area()->subWindowList().size(), 4);
}

TEST_F(CommandPanelTest, ViewShowsEveryWindowTheFrameHasAndTagsChooseTheTarget) {
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    CommandInterpreter& interpreter = frame.commands()->interpreter();
    const QStringList missing{"MODEL", "BDL"};
    for (const QString& keyword : MainCommands::viewKeywords()) {
        if (keyword == QLatin1String("EXIT"))
            continue;
        const int before = int(frame.area()->subWindowList().size());
        const CommandResult r = interpreter.execute(QStringLiteral("VIEW ") + keyword.toLower());
        EXPECT_TRUE(r.ok) << keyword.toStdString();
        EXPECT_EQ(r.note, missing.contains(keyword) ? MainCommands::noWindow(keyword) : QString())
            << keyword.toStdString();
        if (keyword == QLatin1String("XY") || keyword == QLatin1String("TERN")) {
            EXPECT_EQ(frame.area()->subWindowList().size(), before + 1) << keyword.toStdString();
        }
    }
    EXPECT_EQ(frame.currentDiagram()->controller().definition.graphType, QStringLiteral("Ternary"));

    // A window tagged with the window type takes its commands before the current one.
    DiagramView* tagged = frame.openDiagram();
    DiagramView* current = frame.openDiagram();
    tagged->setProperty("Tag", QStringLiteral("GRAPH"));
    ASSERT_TRUE(interpreter.execute(QStringLiteral("XTABLEFIELD Chem;SiO2")).ok);
    EXPECT_EQ(tagged->controller().definition.fields[DiagramDefinition::X], QStringLiteral("SiO2"));
    EXPECT_TRUE(current->controller().definition.fields[DiagramDefinition::X].isEmpty());
}

} // namespace
