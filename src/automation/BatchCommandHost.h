#pragma once
// The windows of a run without a display: one ClipData sheet, the diagram windows that VIEW XY
// (and VIEW TERN) open, the last of them current, and the main window's commands. OPENDB opens
// the session database; OPENDB n reads the recent list of lastfiles.ini. The PictureBook's
// commands draw its figures in the current diagram window (a new one when none is open), and its
// box-and-whisker, spider and distribution figures in windows of their own, so a macro of PBOPEN,
// PBNEXT and SAVEFIGURE lines writes a book's figures. Holds its caller's session, dialogs and
// status.
#include "automation/ClipDataCommandTarget.h"
#include "automation/CommandHost.h"
#include "automation/MainCommands.h"
#include "automation/PictureBookController.h"
#include "clipdata/ClipDataWindow.h"

#include <functional>
#include <memory>
#include <vector>

#include "spider/SpiderWindow.h"

class BoxPlotWindow;
class DiagramCommands;
class DistributionWindow;
class DiagramObjectController;
class DiagramWindow;

class BatchCommandHost : public CommandHost {
public:
    // resolve: turns a path of the macro into the file meant ("@/" is the program's folder).
    BatchCommandHost(SessionDatabase& session, Dialogs& dialogs, Status& status,
                     const QString& lastFilesIni, std::function<QString(const QString&)> resolve);
    ~BatchCommandHost() override;

    CommandTarget* currentDiagram() override;
    CommandTarget* newDiagram() override;
    CommandTarget* clipData() override { return &clipDataTarget_; }
    CommandTarget& main() override { return main_; }
    std::vector<CommandTarget*> openWindows() override;

    ClipDataWindow& clipDataWindow() { return clipData_; }
    // Where a book's spider figures find their spider types and normalization samples.
    void setSystemDatabase(SpiderWindow::SystemOpener opener, SystemTables names) {
        systemOpener_ = std::move(opener);
        systemTables_ = std::move(names);
    }
    PictureBookController& pictureBook() { return book_; }

private:
    struct Diagram;
    Diagram& open(const QString& graphType);
    BoxPlotWindow* boxPlot();
    DistributionWindow* distribution();
    SpiderWindow* spider();

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    ClipDataWindow clipData_;
    ClipDataCommandTarget clipDataTarget_{clipData_};
    MainCommands main_;
    std::vector<std::unique_ptr<Diagram>> diagrams_;
    std::unique_ptr<BoxPlotWindow> boxPlot_;
    std::unique_ptr<DistributionWindow> distribution_;
    SpiderWindow::SystemOpener systemOpener_;
    SystemTables systemTables_;
    std::unique_ptr<SpiderWindow> spider_;
    PictureBookController book_;
};
