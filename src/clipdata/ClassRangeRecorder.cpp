#include "clipdata/ClassRangeRecorder.h"

void ClassRangeRecorder::add(int row, const QString& classifier) {
    const bool full = int(ranges_.size()) == maxClasses;
    if (!ranges_.empty() && (full || ranges_.back().name == classifier)) {
        ranges_.back().lastRow = row;
        return;
    }
    const bool last = int(ranges_.size()) == maxClasses - 1;
    ranges_.push_back({last ? othersName() : classifier, row, row});
}
