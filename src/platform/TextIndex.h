#pragma once
// Dense indexes for distinct texts, in order of first appearance: the class of each of a
// million rows, the distinct values of a column. Looks texts up with the standard library's
// string hash: Qt's seeded string hash costs about ten times as much per lookup, which a
// million rows of class names feel. Plain value type.
#include <QString>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

class TextIndex {
public:
    // The index of `text`, which is added when it is new.
    quint32 indexOf(const QString& text);
    std::optional<quint32> find(QStringView text) const;
    const QString& text(quint32 index) const { return texts_[index]; }
    const std::vector<QString>& texts() const { return texts_; }
    size_t size() const { return texts_.size(); }
    void reserve(qsizetype count);
    void clear();

private:
    static std::u16string_view key(QStringView text) {
        return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
    }

    // The keys view the texts' characters, which stay put when the vector grows and, being
    // shared, when it is copied: a holder that changes its text gets characters of its own.
    std::vector<QString> texts_;
    std::unordered_map<std::u16string_view, quint32> indexes_;
};
