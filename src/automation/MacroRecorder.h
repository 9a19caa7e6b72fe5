#pragma once
// The macro sheet and its recorder: the macro's command lines in order, the row that "Step >"
// runs next, and the recording flag. While recording, each recording site (opening a database,
// showing a window, each draw, a diagram's menu actions) appends its line. A name holding ";"
// cannot be written in the command language, so such a line is refused and told, never
// written to replay wrongly.
#include <QString>
#include <QStringList>
#include <functional>

class MacroRecorder {
public:
    static QString refusal(const QString& name) {
        return QStringLiteral("Not recorded: the name ") + name +
               QStringLiteral(" holds \";\", which a macro line cannot carry");
    }

    bool recording() const { return recording_; }
    void setRecording(bool on) { recording_ = on; }
    // Records the line while recording; names: the names and paths in it, checked for ";".
    // False when nothing was recorded.
    bool record(const QString& line, const QStringList& names = {});
    // AddToMacro: appends the line whether recording or not.
    void add(const QString& line);
    // Told why a line was not recorded.
    std::function<void(const QString& why)> refused;
    // Told after the lines changed.
    std::function<void()> changed;

    const QStringList& lines() const { return lines_; }
    void setLines(const QStringList& lines);
    void clear() { setLines({}); }
    // The row "Step >" runs (from 1), and the direction it then moves (towards the end when set).
    int currentRow() const { return row_; }
    void setCurrentRow(int row);
    bool stepForward = true;
    // The line at the current row, and the row moved by one in the step direction, bounded to
    // the used rows; empty when the macro is empty.
    QString takeStep();

private:
    bool recording_ = false;
    QStringList lines_;
    int row_ = 1;
};
