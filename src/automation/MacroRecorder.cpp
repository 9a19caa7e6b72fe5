#include "automation/MacroRecorder.h"

#include <algorithm>

bool MacroRecorder::record(const QString& line, const QStringList& names) {
    if (!recording_)
        return false;
    for (const QString& name : names)
        if (name.contains(QLatin1Char(';'))) {
            if (refused)
                refused(refusal(name));
            return false;
        }
    add(line);
    return true;
}

void MacroRecorder::add(const QString& line) {
    lines_ << line;
    if (changed)
        changed();
}

void MacroRecorder::setLines(const QStringList& lines) {
    lines_ = lines;
    row_ = 1;
    if (changed)
        changed();
}

void MacroRecorder::setCurrentRow(int row) {
    row_ = std::clamp(row, 1, std::max(1, int(lines_.size())));
}

QString MacroRecorder::takeStep() {
    if (lines_.isEmpty())
        return {};
    setCurrentRow(row_);
    const QString line = lines_[row_ - 1];
    setCurrentRow(row_ + (stepForward ? 1 : -1));
    return line;
}
