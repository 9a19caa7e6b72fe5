#pragma once
// The command languages in the running program: the command and macro panel (a dock of the
// main frame), the one interpreter behind it and behind macros run from files, the windows it
// addresses (the current diagram window, ClipData, the main window's commands with every
// window the frame can show for VIEW), and the recorder, hooked to opening a database, VIEW,
// each draw's DRAW2 line and the diagram windows' File and Edit menu actions. "Open Macro..."
// and "Save Macro..." read and write .amc files.
#include "automation/CommandHost.h"
#include "automation/CommandTarget.h"

#include <QObject>
#include <QString>
#include <memory>

class ClipDataCommandTarget;
class CommandInterpreter;
class CommandPanel;
class CommandPanelView;
class DiagramCommands;
class DiagramView;
class MacroRecorder;
class MainCommands;
class MainFrame;
class QDockWidget;
class QMenu;

class FrameCommands : public QObject, public CommandHost {
    Q_OBJECT
public:
    // userFolder: where "/Books/MyMacro.amc" is offered.
    FrameCommands(MainFrame& frame, const QString& userFolder);
    ~FrameCommands() override;

    // The diagram window's commands, made with it; its draws and menu actions are recorded.
    DiagramCommands& attach(DiagramView& view);
    // "Open Macro..." and "Save Macro..." for the File menu; "Command panel" for the View menu.
    void addMacroItems(QMenu& file);
    void addPanelItem(QMenu& view);

    CommandInterpreter& interpreter() { return *interpreter_; }
    MacroRecorder& recorder() { return *recorder_; }
    MainCommands& mainCommands() { return *main_; }
    CommandPanel& panel() { return *panel_; }
    CommandPanelView& panelView() { return *view_; }
    QDockWidget* dock() const { return dock_; }
    // AvaaMacro: the file's lines into the macro sheet, and the panel shown; false after the
    // message saying why it could not be read.
    bool openMacro(const QString& path);
    // A command line handed over by the linked program: the command box's parsing, library
    // lookup and target rules, its note in the status line; not in the box's history.
    CommandResult AjaCmdKomento(const QString& line);
    bool saveMacro(const QString& path);

    CommandTarget* currentDiagram() override;
    CommandTarget* newDiagram() override;
    CommandTarget* clipData() override;
    CommandTarget& main() override;
    std::vector<CommandTarget*> openWindows() override;
    void setMainCaption(const QString& caption) override;

private:
    void registerViews();
    // A new diagram window of the graph type captioned caption + " (n)", n counting the
    // windows opened so in this run.
    bool openNumberedDiagram(const QString& graphType, const QString& caption, int& opened,
                             bool maximised);
    // The library's name of a diagram menu item ("<EDIT_COPY"), empty when it has none.
    static QString menuActionName(const QString& menu, const QString& caption);

    MainFrame& frame_;
    QString userFolder_;
    std::unique_ptr<MacroRecorder> recorder_;
    std::unique_ptr<MainCommands> main_;
    std::unique_ptr<ClipDataCommandTarget> clipData_;
    std::unique_ptr<CommandInterpreter> interpreter_;
    std::unique_ptr<CommandPanel> panel_;
    CommandPanelView* view_ = nullptr;
    QDockWidget* dock_ = nullptr;
    int xyWindows_ = 0;
    int ternaryWindows_ = 0;
};
