#pragma once
// Many short texts (point labels, sample keys) in one UTF-8 buffer with an offset per text: a
// million keys take their bytes and four bytes each, not a heap string each. A picked set
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
    struct Storage {
        QByteArray utf8;
        std::vector<quint32> ends; // where each text ends in utf8
    };

    QByteArrayView bytes(qsizetype i) const;
    // Makes the texts this set's own, unshared and unpicked, before it changes.
    void own();

    std::shared_ptr<Storage> storage_;
    std::vector<quint32> picks_; // for a picked set: the index of each text in storage_
    bool picked_ = false;
};
