#pragma once
// The windows of a running program, as the command interpreter sees them: the current diagram
// window (a new XY one on demand), the ClipData window, the main window, every window in the
// order it was opened (for tags), and the main window's caption.
#include <QString>
#include <vector>

class CommandTarget;

class CommandHost {
public:
    virtual ~CommandHost() = default;
    // The diagram window activated or opened last; nullptr when none is open.
    virtual CommandTarget* currentDiagram() = 0;
    // A new XY diagram window, which becomes the current one; nullptr when none can be made.
    virtual CommandTarget* newDiagram() = 0;
    // The ClipData window, made on first use.
    virtual CommandTarget* clipData() = 0;
    virtual CommandTarget& main() = 0;
    // Every open window that takes commands, in the order opened.
    virtual std::vector<CommandTarget*> openWindows() { return {}; }
    virtual void setMainCaption(const QString& caption) { (void)caption; }
};
