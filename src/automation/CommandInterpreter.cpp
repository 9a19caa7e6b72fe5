#include "automation/CommandInterpreter.h"

#include "automation/CommandHost.h"

CommandInterpreter::CommandInterpreter(CommandHost& host, const CommandLibrary& library)
    : host_(host)
    , library_(library) {}

CommandResult CommandInterpreter::execute(const QString& line) {
    if (line.trimmed().isEmpty())
        return CommandResult::done();
    MacroCommand command = MacroCommand::parse(line);
    // A recorded menu action ">EDIT_COPY" is the library's "<EDIT_COPY".
    const QString lookedUp = command.isMenuAction()
                                 ? QLatin1Char('<') + command.keyword.mid(1).toUpper()
                                 : command.keyword;
    const CommandLibraryRow* row = library_.find(lookedUp);
    if (!row)
        return {true, unknownCommand()};
    if (!command.isMenuAction())
        command.keyword = row->command;
    current_ = command;
    if (row->command == QLatin1String("SETACTIVEWINDOW")) {
        const QString which = command.argument(1).toUpper();
        if (!current_.arguments.isEmpty())
            current_.arguments[0] = which;
        CommandTarget* chosen = taggedWindow(which);
        if (!chosen && (which == QLatin1String("XY") || which == CommandLibrary::graph()))
            chosen = diagram();
        if (!chosen && which == CommandLibrary::clipData())
            chosen = host_.clipData();
        if (!chosen)
            return CommandResult::failed(QStringLiteral("SETACTIVEWINDOW ") + which +
                                         QStringLiteral(" names no window"));
        target_ = chosen;
        target_->show();
        host_.setMainCaption(captionPrefix() + target_->caption());
        return CommandResult::done();
    }
    target_ = chooseTarget(row->windowType);
    if (!target_)
        return CommandResult::failed(QStringLiteral("No window for ") + row->command);
    target_->show();
    return target_->runCommand(current_);
}

CommandTarget* CommandInterpreter::chooseTarget(const QString& windowType) {
    if (CommandTarget* tagged = taggedWindow(windowType))
        return tagged;
    if (windowType == CommandLibrary::graph())
        return diagram();
    if (windowType == CommandLibrary::clipData())
        return host_.clipData();
    return &host_.main();
}

CommandTarget* CommandInterpreter::taggedWindow(const QString& tag) {
    if (tag.isEmpty())
        return nullptr;
    for (CommandTarget* window : host_.openWindows())
        if (window && window->tag() == tag)
            return window;
    return nullptr;
}

CommandTarget* CommandInterpreter::diagram() {
    if (CommandTarget* current = host_.currentDiagram())
        return current;
    return host_.newDiagram();
}
