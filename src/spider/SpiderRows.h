#pragma once
// The fetched values of a spider diagram: per sample its key, its classifier value and one
// value per element position, already in ppm; NaN where it has none. Plain value type.
#include "platform/CellValue.h"

#include <QString>
#include <vector>

struct SpiderRows {
    static constexpr qsizetype maxRows = 65000;

    qsizetype positionCount = 0;
    std::vector<QString> keys;
    std::vector<CellValue> classes; // empty without a classifier
    std::vector<double> values;     // row-major: keys.size() x positionCount
    bool capped = false;            // more rows than maxRows were delivered

    qsizetype rowCount() const { return qsizetype(keys.size()); }
    double value(qsizetype row, qsizetype position) const {
        return values[size_t(row * positionCount + position)];
    }
};
