#include "stats/ui/StatisticsPickers.h"

#include "db/SessionDatabase.h"
#include "platform/Connection.h"
#include "platform/Sheet.h"
#include "platform/TableDescription.h"
#include "platform/qt/ComboRefill.h"

#include <QComboBox>

QStringList StatisticsPickers::tables() const {
    return session_.catalogue().tableNames();
}

QStringList StatisticsPickers::queries() const {
    QStringList out;
    Connection* db = session_.connection();
    if (const auto all = db ? db->tables() : std::nullopt)
        for (const TableDescription& t : *all)
            if (t.kind == TableDescription::Kind::View)
                out << t.name;
    return out;
}

QStringList StatisticsPickers::fields(const QString& table, bool fromClipData) const {
    if (!fromClipData) {
        QStringList known = session_.catalogue().fieldNames(table);
        // Views are not in the catalogue: the database names their columns.
        Connection* db = session_.connection();
        if (known.isEmpty() && db && !table.isEmpty())
            known = db->columnNamesOf(table).value_or(QStringList());
        return known;
    }
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
