#pragma once
// An initialization file with the semantics of the Windows profile API: "[Section]" lines,
// "key=value" lines, case-insensitive sections and keys where the first match wins, values
// trimmed and stripped of one pair of surrounding quotes, at most 1023 characters read.
// Lines that are neither (comments, junk) are kept verbatim so that writing a key leaves the
// rest of the file as the person wrote it. Files are UTF-8 and saved atomically.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class IniFile {
public:
    static constexpr int maxValueLength = 1023;

    // A missing or unreadable file reads as empty.
    static IniFile load(const QString& path);
    static IniFile parse(const QString& text);

    std::optional<QString> value(const QString& section, const QString& key) const;
    // Replaces the first matching key, or appends it to the first matching section, or appends
    // a new section at the end.
    void setValue(const QString& section, const QString& key, const QString& value);

    QStringList sections() const;
    QStringList keys(const QString& section) const;

    QString text() const;
    // Writes through a temporary file and a rename, so a crash never leaves half a file.
    // Creates the folder when missing. False with errorText set when it cannot.
    bool save(const QString& path, QString* errorText = nullptr) const;

private:
    struct Line {
        enum Kind { Other, Section, Entry } kind = Other;
        QString raw;   // as read, for Other lines and untouched entries
        QString name;  // section name or key, trimmed
        QString value; // entry value as written (trimmed)
    };
    int findSection(const QString& section) const;
    int findEntry(int sectionLine, const QString& key) const;

    std::vector<Line> lines_;
};
