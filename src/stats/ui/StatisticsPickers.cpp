#include "stats/ui/StatisticsPickers.h"

#include "db/SessionDatabase.h"
#include "platform/Sheet.h"
#include "platform/qt/ComboRefill.h"

#include <QComboBox>

QStringList StatisticsPickers::tables() const {
    return session_.catalogue().tableNames();
}

QStringList StatisticsPickers::fields(const QString& table, bool fromClipData) const {
    if (!fromClipData)
        return session_.catalogue().fieldNames(table);
    QStringList out;
    if (const Sheet* sheet = clipData_ ? clipData_() : nullptr)
        for (int c = 1; c <= sheet->lastColumn(); ++c)
            out << sheet->text(1, c);
    return out;
}

QStringList StatisticsPickers::filters() const {
    return session_.catalogue().filters;
}

void StatisticsPickers::fill(QComboBox* box, const QStringList& items, bool optional) {
    refillKeepingChoice(box, optional ? QStringList{QString()} + items : items);
}
