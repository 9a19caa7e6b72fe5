#pragma once
// The ClipData window as a command target: OPEN, SAVE, CREATEIDCOL and FIRSTISHEADERROW go to
// its sheet. Holds the window, which must outlive it.
#include "automation/CommandTarget.h"

#include <functional>

class ClipDataWindow;

class ClipDataCommandTarget : public CommandTarget {
public:
    explicit ClipDataCommandTarget(ClipDataWindow& window)
        : window_(window) {}

    // Showing the window, and showing the sheet after a command changed it.
    std::function<void()> onShow;
    std::function<void()> changed;
    std::function<QString()> tagOf;

    QString caption() const override;
    QString tag() const override { return tagOf ? tagOf() : QString(); }
    void show() override {
        if (onShow)
            onShow();
    }
    CommandResult runCommand(const MacroCommand& command) override;

private:
    ClipDataWindow& window_;
};
