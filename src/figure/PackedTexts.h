#pragma once
// Many short texts (point labels, sample keys) in one buffer with an offset per text: a
// million keys take their characters and four bytes each, not a heap string each. Plain value
// type.
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <vector>

class PackedTexts {
public:
    PackedTexts() = default;
    PackedTexts(std::initializer_list<QString> texts);

    void append(QStringView text);
    PackedTexts& operator<<(const QString& text) {
        append(text);
        return *this;
    }
    void reserve(qsizetype count) { ends_.reserve(size_t(count)); }
    void clear();

    qsizetype size() const { return qsizetype(ends_.size()); }
    bool isEmpty() const { return ends_.empty(); }
    QString at(qsizetype i) const { return view(i).toString(); }
    // Valid until the next change.
    QStringView view(qsizetype i) const;
    QString operator[](qsizetype i) const { return at(i); }
    bool contains(const QString& text) const;
    QStringList toStringList() const;

    bool operator==(const PackedTexts&) const = default;
    friend bool operator==(const PackedTexts& packed, const QStringList& list) {
        return packed.toStringList() == list;
    }

private:
    QString characters_;
    std::vector<quint32> ends_; // where each text ends in characters_
};
