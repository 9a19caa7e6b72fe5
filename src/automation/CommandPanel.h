#pragma once
// The command panel of the main window, without its widgets: the command box with its
// completion list (every library keyword starting with the typed first word, the first
// selected; the first word is upper-cased as it is typed), Execute and the history of lines
// executed from the box, and the macro panel: Rec/Stop, Run (stops recording first, then every
// line in order), Step > (the current row, then one row on), Clear and Add. Run and Step put
// each line into the box and execute it from there, so the lines join the history. Notes of the
// commands go to the status line. Holds the interpreter, recorder and status it is given.
#include "automation/CommandInterpreter.h"

class MacroRecorder;
class Status;

class CommandPanel {
public:
    CommandPanel(CommandInterpreter& interpreter, MacroRecorder& recorder, Status& status);

    static QString recordCaption() { return QStringLiteral("Rec"); }
    static QString stopCaption() { return QStringLiteral("Stop"); }

    const QString& text() const { return text_; }
    void setText(const QString& text);
    const QStringList& completions() const { return completions_; }
    int selected() const { return selected_; }
    // Down (+1) and Up (-1), within the list.
    void moveSelection(int step);
    // Space: while a completion is pending (a keyword is selected that is not yet the text),
    // the text becomes that keyword; true then, and the blank is not typed.
    bool completeOnSpace();

    // Execute: the box's text, trimmed (nothing when empty), joins the history and the box is
    // cleared.
    CommandResult execute();
    const QStringList& history() const { return history_; }

    MacroRecorder& recorder() { return recorder_; }
    QString recordButtonCaption() const;
    void toggleRecording();
    // False when a line failed; the others still ran.
    bool run();
    CommandResult step();
    void clear();
    // Add: the box's text as the macro's next line, not executed.
    void add();

private:
    CommandResult runLine(const QString& line);

    CommandInterpreter& interpreter_;
    MacroRecorder& recorder_;
    Status& status_;
    QString text_;
    QStringList completions_;
    int selected_ = -1;
    QStringList history_;
};
