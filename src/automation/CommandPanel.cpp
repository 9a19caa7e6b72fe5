#include "automation/CommandPanel.h"

#include "automation/MacroRecorder.h"
#include "platform/Status.h"

#include <algorithm>

CommandPanel::CommandPanel(CommandInterpreter& interpreter, MacroRecorder& recorder, Status& status)
    : interpreter_(interpreter)
    , recorder_(recorder)
    , status_(status) {
    setText(QString());
}

void CommandPanel::setText(const QString& text) {
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    const QString first = blank < 0 ? text : text.left(blank);
    text_ = first.toUpper() + (blank < 0 ? QString() : text.mid(blank));
    const QString typed = first.trimmed().toUpper();
    completions_ = interpreter_.library().keywordsStartingWith(typed);
    if (typed.isEmpty()) // every command a person types: the window's menu rows are not typed
        completions_.removeIf([](const QString& k) { return k.startsWith(QLatin1Char('<')); });
    completions_.removeDuplicates();
    selected_ = completions_.isEmpty() || typed.isEmpty() ? -1 : 0;
}

void CommandPanel::moveSelection(int step) {
    if (!completions_.isEmpty())
        selected_ = std::clamp(selected_ + step, 0, int(completions_.size()) - 1);
}

bool CommandPanel::completeOnSpace() {
    if (selected_ < 0 || text_.contains(QLatin1Char(' ')) || completions_[selected_] == text_)
        return false;
    setText(completions_[selected_]);
    return true;
}

CommandResult CommandPanel::execute() {
    const QString line = text_.trimmed();
    if (line.isEmpty())
        return CommandResult::done();
    history_ << line;
    setText(QString());
    return runLine(line);
}

CommandResult CommandPanel::runLine(const QString& line) {
    const CommandResult result = interpreter_.execute(line);
    if (!result.note.isEmpty())
        status_.showStatus(line + QStringLiteral(": ") + result.note, 0);
    return result;
}

QString CommandPanel::recordButtonCaption() const {
    return recorder_.recording() ? stopCaption() : recordCaption();
}

void CommandPanel::toggleRecording() {
    recorder_.setRecording(!recorder_.recording());
}

bool CommandPanel::run() {
    recorder_.setRecording(false);
    bool ok = true;
    // A copy: a line may change the macro (a recording site, Clear by a menu action).
    const QStringList lines = recorder_.lines();
    for (const QString& line : lines) {
        setText(line);
        ok = execute().ok && ok;
    }
    return ok;
}

CommandResult CommandPanel::step() {
    setText(recorder_.takeStep());
    return execute();
}

void CommandPanel::clear() {
    recorder_.clear();
}

void CommandPanel::add() {
    if (!text_.trimmed().isEmpty())
        recorder_.add(text_.trimmed());
}
