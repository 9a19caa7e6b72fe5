#pragma once
// A window that runs command lines ("AjaKomento"): the interpreter hands it the current command
// after choosing it by the command library's window type and the windows' tags.
#include "automation/MacroCommand.h"

// What came of a command: ok or failed, and a note for the log or the status line (why it
// failed, or that the feature is not available).
struct CommandResult {
    bool ok = true;
    QString note;

    static CommandResult done() { return {}; }
    static CommandResult failed(const QString& why = {}) { return {false, why}; }
    // A known command whose feature this program does not have: accepted, said so.
    static CommandResult notAvailable(const QString& keyword) {
        return {true, keyword + QStringLiteral(" is not available")};
    }
    static CommandResult of(bool ok) { return {ok, {}}; }
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual QString caption() const = 0;
    // The free window-type tag ("Tag"); no window sets one by itself.
    virtual QString tag() const { return {}; }
    // Shows the window when it is hidden (step 7 of the dispatch).
    virtual void show() {}
    virtual CommandResult runCommand(const MacroCommand& command) = 0;
};
