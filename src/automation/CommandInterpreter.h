#pragma once
// Runs one command line the way the command box, the macro player, the start-up macro and batch
// runs all do: splits it (MacroCommand), looks its keyword up in the command library (exact
// text; a recorded ">" menu action by its "<" row), chooses the target window by the row's
// window type or a window's tag, shows it and lets it run the command. SETACTIVEWINDOW only
// chooses the target and names it in the main window's caption. A keyword the library lacks
// does nothing and says "unknown command". Keeps the current command and target.
#include "automation/CommandLibrary.h"
#include "automation/CommandTarget.h"

class CommandHost;

class CommandInterpreter {
public:
    explicit CommandInterpreter(CommandHost& host,
                                const CommandLibrary& library = CommandLibrary::embedded());

    static QString unknownCommand() { return QStringLiteral("unknown command"); }
    static QString captionPrefix() { return QStringLiteral("CommandLine of "); }

    CommandResult execute(const QString& line);

    const MacroCommand& current() const { return current_; }
    CommandTarget* currentTarget() const { return target_; }
    const CommandLibrary& library() const { return library_; }

private:
    CommandTarget* chooseTarget(const QString& windowType);
    CommandTarget* taggedWindow(const QString& tag);
    CommandTarget* diagram();

    CommandHost& host_;
    const CommandLibrary& library_;
    MacroCommand current_;
    CommandTarget* target_ = nullptr;
};
