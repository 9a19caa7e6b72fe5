#pragma once
// Comma-separated text as RFC 4180 has it: a comma between fields, CR LF, LF or CR between
// records. A field that begins with '"' is quoted: it ends only at a '"' followed by a comma,
// a line break or the end of the text, '""' stands for one '"', and commas and line breaks are
// kept inside. A '"' inside an unquoted field is just a character (Gneiss"). A quoted field
// that is never closed, or whose closing quote is followed by anything else, is an error that
// names the line where the field began, so a broken file never loads with its rows run
// together. The one CSV parser of the program (ClipData's files, the sample generator).
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>
#include <vector>

class CsvText {
public:
    struct Field {
        QString text;
        bool quoted = false;
    };
    struct Record {
        std::vector<Field> fields;
        int line = 1; // where the record begins
    };

    // Calls `record` for each record in order; stops when it returns false. False on a
    // malformed quote ("line 3: ..." in `error`) or when `record` stopped.
    static bool forEachRecord(QStringView text, const std::function<bool(const Record&)>& record,
                              QString* error);
    // Every record's texts.
    static std::optional<std::vector<QStringList>> parse(const QString& text,
                                                         QString* error = nullptr);
    // One record: fields quoted when they hold a comma, a quote or a line break, or would
    // lose leading or trailing blanks; records end with CR LF.
    static void appendRecord(QString& out, const QStringList& fields);
};
