#pragma once
// Comma-separated text as spreadsheets write it: a comma between fields, CR LF, LF or CR
// between records, and a field that begins with '"' quoted, '""' standing for a quote and
// commas and line breaks kept inside. Text after a closing quote is kept literally. A quote left
// open at the end is an error, so a broken file never loads half its rows silently.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class CsvText {
public:
    static std::optional<std::vector<QStringList>> parse(const QString& text,
                                                         QString* error = nullptr);
    // One record: fields quoted when they hold a comma, a quote or a line break, or would
    // lose leading or trailing blanks; records end with CR LF.
    static void appendRecord(QString& out, const QStringList& fields);
};
