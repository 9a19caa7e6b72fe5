#pragma once
// The status line and progress bar that long operations report to, and the "Abort" button they
// poll after each unit of work.
#include <QString>

class Status {
public:
    static QString readyText() { return QStringLiteral("Ready!"); }

    virtual ~Status() = default;
    // A non-zero progress sets the bar and shows the text (when given); 0 resets the bar and
    // shows "Ready!", or the text when one is given (what finished work wrote, and where).
    virtual void showStatus(const QString& text, int progress) = 0;
    // Lets pending events run, then tells whether the person pressed "Abort" since the last reset.
    virtual bool abortRequested() = 0;
    virtual void resetAbort() = 0;
};
