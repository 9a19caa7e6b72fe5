#pragma once
// The words for a page's limits (Sheet::maxRows, Sheet::maxColumns) and its cells in messages
// about what does not fit. Anyone may use it.
#include <QString>

class SheetLimits {
public:
    // "a page holds at most 1,048,576 rows and 16,384 columns"
    static QString text();
    // A cell as spreadsheets name it: (12, 3) is "C12", (1, 16384) "XFD1".
    static QString cellName(int row, int column);
};
