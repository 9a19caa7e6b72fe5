#pragma once
// The start-up hand-overs in the windowed program: files and statements into the frame's ClipData
// sheet, selectors, graph files and draws in its current diagram window, a macro run once
// start-up is over, link content of the sibling program into ClipData, PictureBooks into the
// PictureBook panel. Hand-overs to windows this program does not have are collected and told in
// one message at the end of start-up.
#include "app/StartupHost.h"

#include <QStringList>
#include <functional>

class Dialogs;
class DiagramView;
class MainFrame;
class SessionDatabase;

class FrameStartupHost : public StartupHost {
public:
    // runMacro: runs a macro file in the frame (called once start-up is over).
    FrameStartupHost(MainFrame& frame, SessionDatabase& session, Dialogs& dialogs,
                     std::function<void(const QString& path)> runMacro);

    std::function<void()> onCloseSplash;

    // Set while the hand-overs run: a macro waits until they are done, unless one of them
    // waits in a message box (the macro may be what ends the program then).
    void setHandingOver(bool on) { handingOver_ = on; }

    // The message naming the hand-overs that found no window; nothing when all found one.
    void reportUnavailable();
    static QString unavailableHeading() { return QStringLiteral("Not available in this version:"); }

    bool readClipDataFile(const QString& path) override;
    bool loadClipDataFromSql(const QString& sql, const QString& databasePath,
                             const QString& caption1, const QString& caption2) override;
    void showClipDataWindow() override;
    void showDiagramWindow(bool maximised) override;
    void setDiagramSelectors(const std::vector<int>& selectorPositions) override;
    void setDiagramUsesClipData() override;
    bool loadChartFile(const QString& path) override;
    void pressDiagramDraw() override;
    bool ReadPictureBook(const QString& path) override;
    void showPictureBookPanel() override;
    void setCurrentPictureBook(const QString&) override {}
    void pressPictureBookDraw() override;
    void AvaaMacro(const QString& path) override;
    void showMainWindow() override;
    void setMainCaption(const QString& caption) override;
    void HaeClipAvaaPB(const QString& sql, const QString& pictureBook,
                       const QString& title) override;
    void AJADDE() override;
    void processLinkFile(const QString& path) override;
    void closeSplash() override;

private:
    DiagramView& diagram();
    void unavailable(const QString& what);
    void runMacroAfterHandOvers(const QString& path);

    MainFrame& frame_;
    SessionDatabase& session_;
    Dialogs& dialogs_;
    std::function<void(const QString&)> runMacro_;
    QStringList unavailable_;
    bool handingOver_ = false;
};
