#include "platform/TextIndex.h"

quint32 TextIndex::indexOf(const QString& text) {
    if (const auto found = find(text))
        return *found;
    const auto next = quint32(texts_.size());
    texts_.push_back(text);
    // A text made from raw characters only points at them: keep a copy of our own.
    texts_.back().detach();
    indexes_.emplace(key(texts_.back()), next);
    return next;
}

std::optional<quint32> TextIndex::find(QStringView text) const {
    const auto it = indexes_.find(key(text));
    return it == indexes_.end() ? std::nullopt : std::optional(it->second);
}

void TextIndex::reserve(qsizetype count) {
    texts_.reserve(size_t(count));
    indexes_.reserve(size_t(count));
}

void TextIndex::clear() {
    texts_.clear();
    indexes_.clear();
}
