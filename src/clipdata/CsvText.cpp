#include "clipdata/CsvText.h"

std::optional<std::vector<QStringList>> CsvText::parse(const QString& text, QString* error) {
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool inQuotes = false;
    bool fieldStarted = false;
    const qsizetype n = text.size();
    auto endRecord = [&] {
        record << field;
        records.push_back(record);
        record.clear();
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < n && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else
                inQuotes = false;
            continue;
        }
        if (c == QLatin1Char('"') && !fieldStarted) {
            inQuotes = true;
            fieldStarted = true;
        } else if (c == QLatin1Char(',')) {
            record << field;
            field.clear();
            fieldStarted = false;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (inQuotes) {
        if (error)
            *error = QStringLiteral("a quoted field is not closed");
        return std::nullopt;
    }
    if (fieldStarted || !record.isEmpty() || !field.isEmpty())
        endRecord();
    return records;
}

void CsvText::appendRecord(QString& out, const QStringList& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(',');
        const QString& f = fields[i];
        const bool quote = f.contains(QLatin1Char(',')) || f.contains(QLatin1Char('"')) ||
                           f.contains(QLatin1Char('\n')) || f.contains(QLatin1Char('\r')) ||
                           (!f.isEmpty() && (f.front().isSpace() || f.back().isSpace()));
        if (!quote) {
            out += f;
            continue;
        }
        QString escaped = f;
        out += QLatin1Char('"') + escaped.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
               QLatin1Char('"');
    }
    out += QLatin1String("\r\n");
}
