#include "figure/InternedColumn.h"

#include <cmath>

void InternedColumn::append(const CellValue& value) {
    // Rows of one class often follow each other: a repeat skips the hash.
    if (!ids_.empty() && distinct_[ids_.back()] == value) {
        ids_.push_back(ids_.back());
        return;
    }
    ids_.push_back(idOf(value));
}

quint32 InternedColumn::idOf(const CellValue& value) {
    const auto next = quint32(distinct_.size());
    const auto intern = [&](auto& hash, const auto& key) {
        const auto it = hash.constFind(key);
        if (it != hash.constEnd())
            return it.value();
        hash.insert(key, next);
        distinct_.push_back(value);
        return next;
    };
    const auto number = value.kind() == CellValue::Kind::Number ? value.toNumber() : std::nullopt;
    if (number && std::isfinite(*number))
        return intern(numbers_, *number);
    if (value.kind() == CellValue::Kind::Text) {
        const quint32 text = texts_.indexOf(value.toText());
        if (text == textIds_.size()) {
            textIds_.push_back(next);
            distinct_.push_back(value);
        }
        return textIds_[text];
    }
    return intern(others_, QString::number(int(value.kind())) + QLatin1Char(':') + value.toText());
}
