#pragma once
// The program's only way to ask or tell the person something. Controllers call it; the Qt
// implementation shows modal boxes, the headless one answers from a script and logs every text.
#include <QString>
#include <optional>

enum class MessageKind { Information, Exclamation, Critical };
enum class QuestionButtons { YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

class Dialogs {
public:
    static QString title() { return QStringLiteral("QUV Data"); }

    virtual ~Dialogs() = default;
    virtual void message(MessageKind kind, const QString& text) = 0;
    virtual Answer question(const QString& text, QuestionButtons buttons) = 0;
    // An input box with its title (title() unless the box has one of its own); nullopt when
    // the person cancels.
    virtual std::optional<QString> input(const QString& boxTitle, const QString& prompt,
                                         const QString& defaultText) = 0;
    // File dialogs take the design's filter text, e.g. "Access database (*.mdb)|*.mdb".
    virtual std::optional<QString> openFile(const QString& caption, const QString& filter,
                                            const QString& folder) = 0;
    virtual std::optional<QString> saveFile(const QString& caption, const QString& filter,
                                            const QString& suggestedPath) = 0;
};
