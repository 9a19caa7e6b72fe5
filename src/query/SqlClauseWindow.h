#pragma once
// The modal SQL clause editor: a text field with Refresh, OK and Cancel, and menus to save,
// open, copy, paste and replace. It hands its result back through the application-wide SQL
// exchange text: the caller puts its original text there, opens the editor, and afterwards
// asks changedText() whether the person gave a new one. Owns the text being edited and its
// selection; the exchange text, the dialogs and the clipboard belong to the caller. Used by
// the windows that edit stored SQL (grid, filters) through its Qt view.
#include "platform/Dialogs.h"
#include "query/TextClipboard.h"

#include <QString>
#include <optional>

class SqlClauseWindow {
public:
    static QString caption() { return QStringLiteral("SQL-clause"); }
    // Geometry keys in the per-user store: "SQLclauseLeft", "SQLclauseTop", ...
    static QString shortName() { return QStringLiteral("SQLclause"); }
    static QString fileFilter() { return QStringLiteral("SQL files (*.sql)|*.sql"); }

    SqlClauseWindow(Dialogs& dialogs, TextClipboard& clipboard, QString& exchangeText);

    // Shows text for editing; "Refresh" brings it back.
    void open(const QString& text);
    bool isOpen() const { return open_; }

    const QString& text() const { return text_; }
    void setText(const QString& text);
    // The selection in the text field, as the view reports it; clamped to the text.
    void setSelection(qsizetype start, qsizetype length);
    qsizetype selectionStart() const { return selStart_; }
    qsizetype selectionLength() const { return selLength_; }

    void refresh();
    // OK: the text becomes the exchange text and the editor closes.
    void accept();
    // Cancel: closes and leaves the exchange text alone.
    void cancel();

    // "&Save": the text as it stands into a file the person names. False when cancelled or
    // the file cannot be written (the person is told).
    bool save();
    // "&Open": a file's text replaces the text. False when cancelled or unreadable.
    bool openFile();
    // "&Copy": the selection, or the whole text when nothing is selected.
    void copy();
    // "&Paste": the clipboard text replaces the selection.
    void paste();
    // "&Replace": asks what to search for and what to put instead, then replaces every
    // occurrence, case-sensitively, left to right. False when the person cancels either box
    // or gives nothing to search for.
    bool replace();

    // What the caller does after the editor closes: a non-empty exchange text that differs
    // from the original is the person's new text.
    static std::optional<QString> changedText(const QString& original, const QString& exchange);

private:
    Dialogs& dialogs_;
    TextClipboard& clipboard_;
    QString& exchange_;
    QString opening_;
    QString text_;
    qsizetype selStart_ = 0;
    qsizetype selLength_ = 0;
    bool open_ = false;
};
