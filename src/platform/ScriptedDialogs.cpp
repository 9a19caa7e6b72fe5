#include "platform/ScriptedDialogs.h"

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const Entry& e : log_)
        out << e.text;
    return out;
}

ScriptedDialogs::Reply ScriptedDialogs::nextReply() {
    if (replies_.empty())
        return {};
    Reply r = std::move(replies_.front());
    replies_.pop_front();
    return r;
}

void ScriptedDialogs::message(MessageKind kind, const QString& text) {
    log_.push_back({Shown::Message, text, kind});
}

Answer ScriptedDialogs::question(const QString& text, QuestionButtons buttons) {
    log_.push_back({Shown::Question, text});
    const Answer safe = buttons == QuestionButtons::YesNoCancel ? Answer::Cancel : Answer::No;
    const std::optional<Answer> reply = nextReply().answer;
    if (!reply)
        return safe;
    const Answer a = *reply;
    if (a == Answer::Cancel && buttons == QuestionButtons::YesNo)
        return Answer::No;
    return a == Answer::Ok ? Answer::Yes : a;
}

std::optional<QString> ScriptedDialogs::input(const QString& boxTitle, const QString& prompt,
                                              const QString& defaultText) {
    log_.push_back({Shown::Input, prompt, MessageKind::Information, boxTitle});
    Q_UNUSED(defaultText);
    return nextReply().text;
}

std::optional<QString> ScriptedDialogs::openFile(const QString& caption, const QString& filter,
                                                 const QString& folder) {
    Q_UNUSED(filter);
    Q_UNUSED(folder);
    log_.push_back({Shown::OpenFile, caption});
    return nextReply().text;
}

std::optional<QString> ScriptedDialogs::saveFile(const QString& caption, const QString& filter,
                                                 const QString& suggestedPath) {
    Q_UNUSED(filter);
    lastSuggestedPath_ = suggestedPath;
    log_.push_back({Shown::SaveFile, caption});
    return nextReply().text;
}
