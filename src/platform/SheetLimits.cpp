#include "platform/SheetLimits.h"

#include "platform/Sheet.h"

QString SheetLimits::text() {
    static_assert(Sheet::maxRows == 1048576 && Sheet::maxColumns == 16384);
    return QStringLiteral("a page holds at most 1,048,576 rows and 16,384 columns");
}

QString SheetLimits::cellName(int row, int column) {
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row);
}
