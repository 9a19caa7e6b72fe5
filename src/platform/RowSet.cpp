#include "platform/RowSet.h"

int RowSet::columnIndex(const QString& name) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

CellValue RowSet::value(qsizetype r, const QString& column) const {
    const int c = columnIndex(column);
    return c < 0 ? CellValue() : at(r, c);
}

void RowSet::appendRow(Row row) {
    row.resize(size_t(columns_.size()));
    rows_.push_back(std::move(row));
}
