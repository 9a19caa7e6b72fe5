#pragma once
// Macro files (*.amc): UTF-8 text, one command line per line (LF or CRLF), so a macro can be
// read and edited anywhere. Files in the program's workbook format are read too: the first
// column of the first sheet, one line per row. Stateless.
#include <QString>
#include <QStringList>
#include <optional>

class MacroFile {
public:
    static QString filter() { return QStringLiteral("QUV macro file (*.amc)|*.amc"); }
    // Under the user folder.
    static QString defaultName() { return QStringLiteral("/Books/MyMacro.amc"); }

    // The lines (blank ones left out); nullopt when the file cannot be read, error says why.
    static std::optional<QStringList> read(const QString& path, QString* error = nullptr);
    static bool write(const QString& path, const QStringList& lines, QString* error = nullptr);
};
