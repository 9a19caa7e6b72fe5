#pragma once
// One class of rows on a ClipData page: its name and the first and last sheet rows it covers.
#include <QString>

struct ClassRange {
    QString name;
    int firstRow = 0;
    int lastRow = 0;
    bool operator==(const ClassRange&) const = default;
};
