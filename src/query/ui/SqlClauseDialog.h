#pragma once
// The SQL clause editor ("SQL-clause") as a modal dialog: the text field, "Refresh", OK and
// Cancel, and the menu items "&Save", "&Open", "&Copy", "&Paste", "&Replace". Every action goes
// to SqlClauseWindow; the dialog copies the text and selection into it first and shows its text
// afterwards. It opens where it was last closed ("SQLclause").
#include "query/SqlClauseWindow.h"
#include "query/ui/QtTextClipboard.h"

#include <QDialog>
#include <optional>

class QPlainTextEdit;
class WindowGeometry;

class SqlClauseDialog : public QDialog {
    Q_OBJECT
public:
    SqlClauseDialog(const QString& text, Dialogs& dialogs, const WindowGeometry* geometry,
                    QWidget* parent = nullptr);

    // Edits the text modally; the person's new text, nullopt when cancelled or unchanged.
    static std::optional<QString> edit(const QString& text, Dialogs& dialogs,
                                       const WindowGeometry* geometry, QWidget* parent);

    // What OK handed back, nullopt when cancelled or unchanged.
    std::optional<QString> changedText() const;
    QPlainTextEdit* textField() const { return text_; }
    void done(int result) override;

private:
    // Runs one editor action between taking the field's text and showing the editor's.
    void act(auto action);

    QtTextClipboard clipboard_;
    QString original_;
    QString exchange_;
    SqlClauseWindow window_;
    const WindowGeometry* geometry_;
    QPlainTextEdit* text_;
};
