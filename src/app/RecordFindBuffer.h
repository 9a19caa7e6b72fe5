#pragma once
// The sample browser's find buffer: the rows of the record sheet whose field name or value holds
// a text (without regard to case), and which of them is shown, stepping round in both directions.
#include "platform/Sheet.h"

#include <vector>

class RecordFindBuffer {
public:
    // Fills the buffer from the sheet's rows 1.. (column 1 names, column 2 values); the first
    // row found, 0 when none.
    int find(const Sheet& record, const QString& text);
    // The next or previous row found, from the last one wrapping round to the first and back;
    // 0 when the buffer is empty.
    int next();
    int previous();
    bool isEmpty() const { return rows_.empty(); }

private:
    std::vector<int> rows_;
    size_t at_ = 0;
};
