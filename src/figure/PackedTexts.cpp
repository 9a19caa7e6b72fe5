#include "figure/PackedTexts.h"

PackedTexts::PackedTexts(std::initializer_list<QString> texts) {
    for (const QString& text : texts)
        append(text);
}

PackedTexts PackedTexts::picked(const PackedTexts& source, std::vector<quint32> indexes) {
    PackedTexts p;
    p.storage_ = source.storage_;
    p.picked_ = true;
    if (source.picked_)
        for (quint32& i : indexes)
            i = source.picks_[i];
    p.picks_ = std::move(indexes);
    return p;
}

void PackedTexts::own() {
    if (!picked_ && (!storage_ || storage_.use_count() == 1)) {
        if (!storage_)
            storage_ = std::make_shared<Storage>();
        return;
    }
    auto mine = std::make_shared<Storage>();
    mine->ends.reserve(size_t(size()));
    for (qsizetype i = 0; i < size(); ++i) {
        mine->utf8 += bytes(i);
        mine->ends.push_back(quint32(mine->utf8.size()));
    }
    storage_ = std::move(mine);
    picks_ = {};
    picked_ = false;
}

void PackedTexts::append(QStringView text) {
    own();
    storage_->utf8 += text.toUtf8();
    storage_->ends.push_back(quint32(storage_->utf8.size()));
}

void PackedTexts::reserve(qsizetype count) {
    own();
    storage_->ends.reserve(size_t(count));
}

void PackedTexts::clear() {
    storage_.reset();
    picks_ = {};
    picked_ = false;
}

qsizetype PackedTexts::size() const {
    if (picked_)
        return qsizetype(picks_.size());
    return storage_ ? qsizetype(storage_->ends.size()) : 0;
}

QByteArrayView PackedTexts::bytes(qsizetype i) const {
    const size_t j = picked_ ? picks_[size_t(i)] : size_t(i);
    const std::vector<quint32>& ends = storage_->ends;
    const qsizetype begin = j > 0 ? qsizetype(ends[j - 1]) : 0;
    return QByteArrayView(storage_->utf8).sliced(begin, qsizetype(ends[j]) - begin);
}

bool PackedTexts::contains(const QString& text) const {
    const QByteArray wanted = text.toUtf8();
    for (qsizetype i = 0; i < size(); ++i)
        if (bytes(i) == wanted)
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

bool PackedTexts::operator==(const PackedTexts& other) const {
    if (size() != other.size())
        return false;
    for (qsizetype i = 0; i < size(); ++i)
        if (bytes(i) != other.bytes(i))
            return false;
    return true;
}
