#pragma once
// Many short texts (point labels, sample keys) in one buffer with an offset per text: a
// million keys take their characters and four bytes each, not a heap string each. Plain value
// type.
#include <QString>
#include <vector>

class PackedTexts {
public:
    void append(const QString& text);

    qsizetype size() const { return qsizetype(ends_.size()); }
    bool isEmpty() const { return ends_.empty(); }
    QString at(qsizetype i) const;

private:
    QString characters_;
    std::vector<quint32> ends_; // where each text ends in characters_
};
