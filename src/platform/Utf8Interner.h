#pragma once
// Decodes UTF-8 texts that repeat (class names of a million rows) once each and hands out the
// same shared QString for every repeat, so a row costs a lookup rather than a decoding and an
// allocation. A column of mostly distinct texts (keys) stops being remembered after
// `remembered` texts and is decoded row by row. Plain value type.
#include <QByteArrayView>
#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>

class Utf8Interner {
public:
    static constexpr size_t remembered = 4096;

    QString text(QByteArrayView utf8) {
        const std::string_view key(utf8.data(), size_t(utf8.size()));
        if (const auto found = texts_.find(key); found != texts_.end())
            return found->second;
        QString decoded = QString::fromUtf8(utf8);
        if (texts_.size() < remembered)
            texts_.emplace(std::string(key), decoded);
        return decoded;
    }

private:
    // The standard hash: Qt's seeded one costs several times as much per lookup.
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> texts_;
};
