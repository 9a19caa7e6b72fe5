#pragma once
// Headless Dialogs: answers come from a queue filled by a test or a batch script, and every
// text shown is logged. With the queue empty, questions take the safe answer (Cancel, else No),
// input and file boxes are cancelled, so a batch run never does something destructive unasked.
#include "platform/Dialogs.h"

#include <QStringList>
#include <deque>
#include <vector>

class ScriptedDialogs : public Dialogs {
public:
    enum class Shown { Message, Question, Input, OpenFile, SaveFile };
    struct Entry {
        Shown shown;
        QString text;
        MessageKind kind = MessageKind::Information; // for messages
        QString title = Dialogs::title();            // the box's title
    };
    struct Reply {
        std::optional<Answer> answer; // for questions
        std::optional<QString> text;  // for input and file boxes; neither set: cancel
    };

    void queueAnswer(Answer answer) { replies_.push_back({answer, std::nullopt}); }
    void queueText(const QString& text) { replies_.push_back({std::nullopt, text}); }
    void queueCancel() { replies_.push_back({}); }

    const std::vector<Entry>& log() const { return log_; }
    QStringList texts() const;
    void clearLog() { log_.clear(); }
    // The path the last save box proposed.
    const QString& lastSuggestedPath() const { return lastSuggestedPath_; }

    void message(MessageKind kind, const QString& text) override;
    Answer question(const QString& text, QuestionButtons buttons) override;
    std::optional<QString> input(const QString& boxTitle, const QString& prompt,
                                 const QString& defaultText) override;
    std::optional<QString> openFile(const QString& caption, const QString& filter,
                                    const QString& folder) override;
    std::optional<QString> saveFile(const QString& caption, const QString& filter,
                                    const QString& suggestedPath) override;

private:
    QString lastSuggestedPath_;
    Reply nextReply();

    std::deque<Reply> replies_;
    std::vector<Entry> log_;
};
