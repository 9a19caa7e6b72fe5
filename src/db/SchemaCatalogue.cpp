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

void SchemaCatalogue::addTable(const QString& table) {
    if (tableRow(table) == 0)
        tableFields.setText(tableFields.lastRow() + 1, 1, table);
}

bool SchemaCatalogue::addField(const QString& table, const QString& field) {
    const int row = tableRow(table);
    if (row == 0)
        return false;
    int column = 2;
    while (!tableFields.isEmpty(row, column))
        ++column;
    return tableFields.setText(row, column, field);
}

void SchemaCatalogue::removeField(const QString& table, const QString& field) {
    const int row = tableRow(table);
    for (int c = 2; row && c <= tableFields.lastColumn(); ++c)
        if (tableFields.text(row, c) == field) {
            tableFields.copyRange(row, c + 1, row, tableFields.lastColumn() + 1, tableFields, row,
                                  c);
            return;
        }
}

void SchemaCatalogue::removeTable(const QString& table) {
    for (Sheet* list : {&tableFields, &indexList, &keyList})
        if (const int row = table.isEmpty() ? 0 : list->findInColumn(1, table, true))
            list->deleteRows(row);
    for (int r = links.lastRow(); r >= 1; --r)
        if (links.text(r, 1) == table || links.text(r, 2) == table)
            links.deleteRows(r);
}
