#pragma once
// A column whose values repeat (a classifier: rock names, project codes): every distinct value
// is kept once and each row holds only its index, four bytes. Values are distinct by kind and
// content (Null, Empty, the text "1" and the number 1 are four values). Plain value type.
#include "platform/CellValue.h"
#include "platform/TextIndex.h"

#include <QHash>
#include <vector>

class InternedColumn {
public:
    void reserve(qsizetype rows) { ids_.reserve(size_t(rows)); }
    void append(const CellValue& value);

    qsizetype rowCount() const { return qsizetype(ids_.size()); }
    bool isEmpty() const { return ids_.empty(); }
    const CellValue& at(qsizetype row) const { return distinct_[ids_[size_t(row)]]; }
    // The distinct values in order of first appearance, and each row's index into them.
    const std::vector<CellValue>& distinct() const { return distinct_; }
    const std::vector<quint32>& ids() const { return ids_; }

private:
    quint32 idOf(const CellValue& value);

    std::vector<CellValue> distinct_;
    std::vector<quint32> ids_;
    TextIndex texts_;
    std::vector<quint32> textIds_; // the index in distinct_ of each of texts_
    QHash<double, quint32> numbers_;
    // Everything else (Null, Empty, dates, booleans, NaN) by its kind and text.
    QHash<QString, quint32> others_;
};
