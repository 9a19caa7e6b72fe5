#pragma once
// Dialogs as modal Qt boxes over a parent window, all titled "QUV Data".
#include "platform/Dialogs.h"

class QWidget;

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr)
        : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    // "Access database (*.mdb)|*.mdb|All files (*.*)|*.*" -> "Access database (*.mdb);;All files
    // (*)"
    static QString toQtFilter(const QString& filter);

    void message(MessageKind kind, const QString& text) override;
    Answer question(const QString& text, QuestionButtons buttons) override;
    std::optional<QString> input(const QString& boxTitle, const QString& prompt,
                                 const QString& defaultText) override;
    std::optional<QString> openFile(const QString& caption, const QString& filter,
                                    const QString& folder) override;
    std::optional<QString> saveFile(const QString& caption, const QString& filter,
                                    const QString& suggestedPath) override;

private:
    QWidget* parent_;
};
