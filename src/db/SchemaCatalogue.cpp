#include "db/SchemaCatalogue.h"

namespace {
QStringList cellsFrom2(const Sheet& sheet, int row, bool stopAtEmpty) {
    QStringList out;
    const int last = sheet.lastColumn();
    for (int c = 2; c <= last; ++c) {
        const QString t = sheet.text(row, c);
        if (t.isEmpty()) {
            if (stopAtEmpty)
                break;
            continue;
        }
        out << t;
    }
    return out;
}
} // namespace

void SchemaCatalogue::clearTablesAndKeys() {
    tableFields.clear();
    indexList.clear();
    keyList.clear();
}

int SchemaCatalogue::tableRow(const QString& table) const {
    return table.isEmpty() ? 0 : tableFields.findInColumn(1, table, true);
}

QStringList SchemaCatalogue::tableNames() const {
    QStringList out;
    for (int r = 1; r <= tableFields.lastRow(); ++r)
        if (const QString t = tableFields.text(r, 1); !t.isEmpty())
            out << t;
    return out;
}

QStringList SchemaCatalogue::fieldNames(const QString& table) const {
    const int row = tableRow(table);
    return row ? cellsFrom2(tableFields, row, false) : QStringList();
}

QStringList SchemaCatalogue::keyFields(int keyRow) const {
    return cellsFrom2(keyList, keyRow, true);
}

QStringList SchemaCatalogue::keyFields(const QString& table) const {
    const int row = table.isEmpty() ? 0 : keyList.findInColumn(1, table, true);
    return row ? keyFields(row) : QStringList();
}
