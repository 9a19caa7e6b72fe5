#pragma once
// A StartupHost for runs without the windows that take the hand-overs (batch runs, and the
// frame until those windows exist): every request is kept as a line of text for the run's
// report, reads report failure, and the main-window requests go to the given callbacks.
#include "app/StartupHost.h"

#include <QStringList>
#include <functional>

class StartupRequestLog : public StartupHost {
public:
    std::function<void()> onShowMainWindow;
    std::function<void(const QString&)> onSetMainCaption;
    std::function<void()> onCloseSplash;
    // The mail hand-over: statement, PictureBook and title for the ClipData sheet.
    std::function<void(const QString&, const QString&, const QString&)> onHaeClipAvaaPB;

    const QStringList& requests() const { return requests_; }

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
    void setCurrentPictureBook(const QString& path) override;
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
    void note(const QString& request) { requests_ << request; }
    QStringList requests_;
};
