#pragma once
// What the start-up routine hands over to the windows once the command line has been read:
// the ClipData sheet, the diagram window, the PictureBook panel, the macro panel and the main
// window. The main window implements it; headless runs use a host that records the requests.
#include <QString>
#include <vector>

class StartupHost {
public:
    virtual ~StartupHost() = default;

    // ClipData sheet.
    virtual bool readClipDataFile(const QString& path) = 0;
    virtual bool loadClipDataFromSql(const QString& sql, const QString& databasePath,
                                     const QString& caption1, const QString& caption2) = 0;
    virtual void showClipDataWindow() = 0;

    // The current diagram window. selectorPositions: 0-based list positions for table list 0,
    // table list 1, field list 0, field list 1 and, when six are given, table 2 and field 2.
    virtual void showDiagramWindow(bool maximised) = 0;
    virtual void setDiagramSelectors(const std::vector<int>& selectorPositions) = 0;
    virtual void setDiagramUsesClipData() = 0;
    virtual bool loadChartFile(const QString& path) = 0;
    virtual void pressDiagramDraw() = 0;

    // PictureBook panel.
    virtual bool ReadPictureBook(const QString& path) = 0;
    virtual void showPictureBookPanel() = 0;
    virtual void setCurrentPictureBook(const QString& path) = 0;
    virtual void pressPictureBookDraw() = 0;

    // Main window.
    virtual void AvaaMacro(const QString& path) = 0;
    virtual void showMainWindow() = 0;
    virtual void setMainCaption(const QString& caption) = 0;
    virtual void HaeClipAvaaPB(const QString& sql, const QString& pictureBook,
                               const QString& title) = 0;
    virtual void AJADDE() = 0;
    // A link file (*.qlk) of the sibling program: its content into the ClipData sheet.
    virtual void processLinkFile(const QString& path) = 0;
    virtual void closeSplash() = 0;
};
