#pragma once
// One ClipData page as a tab-delimited (.txt) or comma-separated (.csv) file. Reading: the
// file's bytes as UTF-8, or as Windows-1252 when they are no UTF-8 (TextFileDecoder); quotes
// as TsvReader's File mode and CsvText have them, a broken quote refusing the whole file; fields
// that read as numbers become numbers. Writing: row by row into the file, each row only as far
// as its last cell, so a sparse page takes no more than its cells. Used by ClipDataFiles.
#include "platform/Sheet.h"

#include <QString>
#include <optional>

class ClipDataTextFile {
public:
    enum class Separator { Tab, Comma };
    struct Loaded {
        std::optional<Sheet> page; // none when the file cannot be read; `error` says why
        QString error;
        bool windows1252 = false; // the bytes were no UTF-8
    };

    static Loaded read(const QString& path, Separator separator);
    static bool write(const Sheet& page, const QString& path, Separator separator, QString* error);
};
