#include "clipdata/CsvText.h"

namespace {
bool isBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

// Walks the text field by field; the line count follows every CR LF, LF and lone CR.
class CsvScanner {
public:
    explicit CsvScanner(QStringView text)
        : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    int line() const { return line_; }
    const QString& error() const { return error_; }

    // Reads one field from pos_ and leaves pos_ on its delimiter (or the end).
    bool readField(CsvText::Field& field) {
        field.text.clear();
        field.quoted = !atEnd() && text_[pos_] == u'"';
        if (!field.quoted) {
            const qsizetype start = pos_;
            while (!atEnd() && text_[pos_] != u',' && !isBreak(text_[pos_]))
                ++pos_;
            field.text = text_.sliced(start, pos_ - start).toString();
            return true;
        }
        const int openLine = line_;
        ++pos_;
        for (;;) {
            const qsizetype quote = text_.indexOf(u'"', pos_);
            if (quote < 0)
                return fail(openLine, QStringLiteral("is not closed"));
            const QStringView part = text_.sliced(pos_, quote - pos_);
            countBreaks(part);
            field.text += part;
            pos_ = quote + 1;
            if (atEnd() || text_[pos_] == u',' || isBreak(text_[pos_]))
                return true;
            if (text_[pos_] != u'"')
                return fail(openLine, QStringLiteral("has text after its closing quote"));
            field.text += u'"';
            ++pos_;
        }
    }

    // Steps over the delimiter after a field: true when it ended the record.
    bool endOfRecord() {
        if (atEnd())
            return true;
        const QChar c = text_[pos_++];
        if (c == u',')
            return false;
        if (c == u'\r' && !atEnd() && text_[pos_] == u'\n')
            ++pos_;
        ++line_;
        return true;
    }

private:
    bool fail(int line, const QString& what) {
        error_ =
            QStringLiteral("line %1: the quoted field that begins here %2").arg(line).arg(what);
        return false;
    }
    void countBreaks(QStringView part) {
        for (qsizetype i = 0; i < part.size(); ++i)
            if (part[i] == u'\n' ||
                (part[i] == u'\r' && (i + 1 == part.size() || part[i + 1] != u'\n')))
                ++line_;
    }

    QStringView text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    QString error_;
};
} // namespace

bool CsvText::forEachRecord(QStringView text, const std::function<bool(const Record&)>& record,
                            QString* error) {
    CsvScanner scanner(text);
    Record current;
    while (!scanner.atEnd()) {
        current.fields.clear();
        current.line = scanner.line();
        for (;;) {
            Field field;
            if (!scanner.readField(field)) {
                if (error)
                    *error = scanner.error();
                return false;
            }
            current.fields.push_back(std::move(field));
            if (scanner.atEnd() || scanner.endOfRecord())
                break;
            if (scanner.atEnd()) { // a comma at the very end: one more, empty field
                current.fields.emplace_back();
                break;
            }
        }
        if (!record(current))
            return false;
    }
    return true;
}

std::optional<std::vector<QStringList>> CsvText::parse(const QString& text, QString* error) {
    std::vector<QStringList> records;
    const bool read = forEachRecord(
        text,
        [&records](const Record& record) {
            QStringList fields;
            fields.reserve(qsizetype(record.fields.size()));
            for (const Field& field : record.fields)
                fields << field.text;
            records.push_back(std::move(fields));
            return true;
        },
        error);
    if (!read)
        return std::nullopt;
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
