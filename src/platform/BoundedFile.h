#pragma once
// Whole files the program takes in from outside, read only up to a limit. A file past
// maxBytes, or no regular file at all (a device such as /dev/zero, a pipe), is refused before
// anything is read, with a reason a message can carry. Anyone may use it.
#include <QByteArray>
#include <QString>
#include <optional>

class BoundedFile {
public:
    // The most the program reads of one file (or one part of a package): 512 MB. A page of a
    // million rows of ten values takes about 200 MB as a text file.
    static constexpr qint64 maxBytes = qint64(512) << 20;
    static QString maxText() { return QStringLiteral("512 MB"); }
    // "it is larger than 512 MB, the most the program reads from one file"
    static QString tooLargeText();

    // Whether the file may be read: there, readable, regular and not past the limit; false
    // with the reason in `why` otherwise. For readers that open the file themselves.
    static bool check(const QString& path, QString* why);
    // The file's bytes, or none with the reason in `why`.
    static std::optional<QByteArray> readAll(const QString& path, QString* why);
};
