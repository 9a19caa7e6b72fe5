#pragma once
// The PictureBook in the running program: the book's controller with the frame's diagram
// windows, its panel in a dock of the main frame, the "P&ictureBook" menu, the slide show's two
// timers and the status bar click that stops it, the report (PDF and HTML) and the word
// processor started on it, the book's commands for the interpreter, and the unsaved-book
// question when the program closes.
#include "automation/PictureBookController.h"

#include <QObject>
#include <QTimer>

class MainFrame;
class PictureBookPanel;
class QDockWidget;
class QMenuBar;

class FramePictureBook : public QObject {
    Q_OBJECT
public:
    // bookFolder: UserPictureBookPath; userFolder: where "/Books/" and "/ini/lastfiles.ini" lie.
    FramePictureBook(MainFrame& frame, const QString& userFolder, const QString& bookFolder);
    ~FramePictureBook() override;

    PictureBookController& controller() { return controller_; }
    PictureBookPanel& panel() { return *panel_; }
    QDockWidget* dock() const { return dock_; }
    void addMenu(QMenuBar& bar);

    // Slide show: the first figure drawn and the timers started.
    bool runSlideShow();
    void stopSlideShow();
    int secondsLeft() const { return secondsLeft_; }
    // One tick of each timer (the timers call them; tests may too).
    void figureTick();
    void countdownTick();

    // "Run Report...": PDF and HTML at the chosen path, then the word processor when one is set.
    bool runReport();
    bool writeReport(const QString& pdfPath);
    // "Set Word Processor...": stored in lastfiles.ini, section "WordProcessor", key "Name".
    bool setWordProcessor();
    QString wordProcessor() const;
    // "Launch Sheet": the figure sheet in a child window.
    void launchSheet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainFrame& frame_;
    QString userFolder_;
    PictureBookController controller_;
    PictureBookPanel* panel_ = nullptr;
    QDockWidget* dock_ = nullptr;
    QTimer figureTimer_;
    QTimer countdown_;
    int secondsLeft_ = 0;
};
