#include "figure/PackedTexts.h"

PackedTexts::PackedTexts(std::initializer_list<QString> texts) {
    for (const QString& text : texts)
        append(text);
}

void PackedTexts::append(QStringView text) {
    characters_ += text;
    ends_.push_back(quint32(characters_.size()));
}

void PackedTexts::clear() {
    characters_.clear();
    ends_.clear();
}

QStringView PackedTexts::view(qsizetype i) const {
    const qsizetype begin = i > 0 ? qsizetype(ends_[size_t(i - 1)]) : 0;
    return QStringView(characters_).sliced(begin, qsizetype(ends_[size_t(i)]) - begin);
}

bool PackedTexts::contains(const QString& text) const {
    for (qsizetype i = 0; i < size(); ++i)
        if (view(i) == text)
            return true;
    return false;
}

QStringList PackedTexts::toStringList() const {
    QStringList list;
    list.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        list << at(i);
    return list;
}
