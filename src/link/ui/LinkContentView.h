#pragma once
// "Link content": the last link text received from or sent to the sibling program, editable,
// with "Process" to run the text as received content (ProcessLinkContent) and "Send" to tell
// the sibling program the key of "Set Link value" again.
#include <QWidget>

class LinkController;
class QPlainTextEdit;

class LinkContentView : public QWidget {
    Q_OBJECT
public:
    explicit LinkContentView(LinkController& link, QWidget* parent = nullptr);

    static QString caption() { return QStringLiteral("Link content"); }
    QPlainTextEdit* text() const { return text_; }
    // Shows the exchange's last text again.
    void refresh();

private:
    LinkController& link_;
    QPlainTextEdit* text_;
};
