#pragma once
// The main window's bottom bar: a status text, a progress bar and an "Abort" button. Progress 0
// shows "Ready!" and hides the text a little later. "Abort" is enabled only while work reports
// progress; work runs on the event thread, so when the event loop is idle again after some
// progress the work is over and the bar ends at "Ready!" even if its caller never said so.
#include "platform/Status.h"

#include <QObject>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;

class QtStatus : public QObject, public Status {
    Q_OBJECT
public:
    explicit QtStatus(QStatusBar* bar);

    void showStatus(const QString& text, int progress) override;
    bool abortRequested() override;
    void resetAbort() override { abort_ = false; }

private:
    QStatusBar* bar_;
    QLabel* text_;
    QProgressBar* progress_;
    QPushButton* abortButton_;
    QTimer* readyTimer_;
    QTimer* idleFinish_; // fires once the event loop runs again after progress was shown
    bool abort_ = false;
    bool busy_ = false;
};
