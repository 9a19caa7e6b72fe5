#pragma once
// Many short texts (point labels, sample keys) in one UTF-8 buffer, each after its length
// (one byte below 128 bytes), with the offset of every 16th text: a million keys take their
// bytes and little more than one byte each, not a heap string each. A text is found from the
// offset before it in at most 15 steps; labels are read a few thousand at a time. A picked set
// (picked()) names texts of another set by index and shares its buffer, so the series of a
// figure hold their labels as four bytes a point beside the rows they came from. Copies share
// the buffer until one of them changes. Plain value type.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>
#include <vector>

class PackedTexts {
public:
    PackedTexts() = default;
    PackedTexts(std::initializer_list<QString> texts);
    // The texts of `source` at `indexes` (each below source.size()), in that order.
    static PackedTexts picked(const PackedTexts& source, std::vector<quint32> indexes);

    void append(QStringView text);
    PackedTexts& operator<<(const QString& text) {
        append(text);
        return *this;
    }
    void reserve(qsizetype count);
    void clear();

    qsizetype size() const;
    bool isEmpty() const { return size() == 0; }
    QString at(qsizetype i) const { return QString::fromUtf8(bytes(i)); }
    QString operator[](qsizetype i) const { return at(i); }
    bool contains(const QString& text) const;
    QStringList toStringList() const;

    // The same texts in the same order, however they are held.
    bool operator==(const PackedTexts& other) const;
    friend bool operator==(const PackedTexts& packed, const QStringList& list) {
        return packed.toStringList() == list;
    }

private:
    static constexpr qsizetype textsPerBlock = 16;
    struct Storage {
        QByteArray bytes;                // each text: its UTF-8 length (7 bits a byte), its UTF-8
        std::vector<quint32> blockStart; // where text 0, 16, 32, ... starts in bytes
        qsizetype count = 0;
    };

    QByteArrayView bytes(qsizetype i) const;
    // Makes the texts this set's own, unshared and unpicked, before it changes.
    void own();

    std::shared_ptr<Storage> storage_;
    std::vector<quint32> picks_; // for a picked set: the index of each text in storage_
    bool picked_ = false;
};
