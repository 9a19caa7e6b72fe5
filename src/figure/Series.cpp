#include "figure/Series.h"

QString Series::label(size_t point) const {
    if (point >= points.size())
        return {};
    if (labelsByRow) {
        const qsizetype row = points[point].row;
        return row >= 0 && row < labelTexts.size() ? labelTexts.at(row) : QString();
    }
    return qsizetype(point) < labelTexts.size() ? labelTexts.at(qsizetype(point)) : QString();
}

QStringList Series::labelList() const {
    QStringList list;
    if (!hasLabels())
        return list;
    list.reserve(pointCount());
    for (size_t i = 0; i < points.size(); ++i)
        list << label(i);
    return list;
}
