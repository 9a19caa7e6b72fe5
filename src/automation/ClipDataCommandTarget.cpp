#include "automation/ClipDataCommandTarget.h"

#include "clipdata/ClipDataWindow.h"

QString ClipDataCommandTarget::caption() const {
    return ClipDataWindow::caption();
}

CommandResult ClipDataCommandTarget::runCommand(const MacroCommand& command) {
    const bool ok = window_.runCommand(command.keyword + QLatin1Char(' ') + command.rest);
    if (changed)
        changed();
    return CommandResult::of(ok);
}
