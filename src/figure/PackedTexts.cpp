#include "figure/PackedTexts.h"

void PackedTexts::append(const QString& text) {
    characters_ += text;
    ends_.push_back(quint32(characters_.size()));
}

QString PackedTexts::at(qsizetype i) const {
    const qsizetype begin = i > 0 ? qsizetype(ends_[size_t(i - 1)]) : 0;
    return characters_.sliced(begin, qsizetype(ends_[size_t(i)]) - begin);
}
