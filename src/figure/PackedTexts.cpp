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

namespace {

// The length written before a text, in 7-bit groups, low first; the high bit says "more".
void appendLength(QByteArray& bytes, quint32 length) {
    while (length >= 0x80) {
        bytes.append(char(0x80 | (length & 0x7f)));
        length >>= 7;
    }
    bytes.append(char(length));
}

quint32 readLength(const char* data, qsizetype& at) {
    quint32 length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = quint8(data[at++]);
        length |= quint32(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return length;
    }
}

} // namespace

void PackedTexts::own() {
    if (!picked_ && (!storage_ || storage_.use_count() == 1)) {
        if (!storage_)
            storage_ = std::make_shared<Storage>();
        return;
    }
    auto mine = std::make_shared<Storage>();
    const qsizetype n = size();
    mine->blockStart.reserve(size_t(n / textsPerBlock + 1));
    for (qsizetype i = 0; i < n; ++i) {
        const QByteArrayView text = bytes(i);
        if (i % textsPerBlock == 0)
            mine->blockStart.push_back(quint32(mine->bytes.size()));
        appendLength(mine->bytes, quint32(text.size()));
        mine->bytes.append(text);
    }
    mine->count = n;
    storage_ = std::move(mine);
    picks_ = {};
    picked_ = false;
}

void PackedTexts::append(QStringView text) {
    own();
    Storage& s = *storage_;
    if (s.count % textsPerBlock == 0)
        s.blockStart.push_back(quint32(s.bytes.size()));
    const QByteArray utf8 = text.toUtf8();
    appendLength(s.bytes, quint32(utf8.size()));
    s.bytes.append(utf8);
    ++s.count;
}

void PackedTexts::reserve(qsizetype count) {
    own();
    storage_->blockStart.reserve(size_t(count / textsPerBlock + 1));
}

void PackedTexts::clear() {
    storage_.reset();
    picks_ = {};
    picked_ = false;
}

qsizetype PackedTexts::size() const {
    if (picked_)
        return qsizetype(picks_.size());
    return storage_ ? storage_->count : 0;
}

QByteArrayView PackedTexts::bytes(qsizetype i) const {
    const qsizetype j = picked_ ? qsizetype(picks_[size_t(i)]) : i;
    const char* data = storage_->bytes.constData();
    qsizetype at = storage_->blockStart[size_t(j / textsPerBlock)];
    for (qsizetype skip = j % textsPerBlock; skip > 0; --skip)
        at += readLength(data, at);
    const quint32 length = readLength(data, at);
    return QByteArrayView(data + at, qsizetype(length));
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
