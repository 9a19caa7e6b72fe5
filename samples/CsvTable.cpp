#include "CsvTable.h"

#include <QFile>
#include <cmath>

namespace {

// Splits the text into records of cells; returns false with a message on a malformed quote.
bool splitRecords(const QString& text, std::vector<std::vector<CsvTable::Cell>>& records,
                  std::vector<int>& lines, QString* error) {
    std::vector<CsvTable::Cell> record;
    CsvTable::Cell cell;
    bool inQuotes = false;
    bool afterQuote = false; // a quoted field has closed; only a separator may follow
    bool recordHasContent = false;
    int line = 1;
    int recordLine = 1;
    const qsizetype n = text.size();
    auto endRecord = [&] {
        record.push_back(std::move(cell));
        cell = {};
        // Blank lines (a lone empty unquoted field) are not records.
        if (recordHasContent || record.size() > 1) {
            records.push_back(std::move(record));
            lines.push_back(recordLine);
        }
        record.clear();
        recordHasContent = false;
        afterQuote = false;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    cell.text += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                    afterQuote = true;
                }
            } else {
                if (c == u'\n')
                    ++line;
                cell.text += c;
            }
            continue;
        }
        if (c == u',') {
            record.push_back(std::move(cell));
            cell = {};
            afterQuote = false;
            recordHasContent = true;
        } else if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
            continue; // the \n ends the record
        } else if (c == u'\n' || c == u'\r') {
            endRecord();
            ++line;
            recordLine = line;
        } else if (afterQuote) {
            *error = QStringLiteral("line %1: text after a closing quote").arg(line);
            return false;
        } else if (c == u'"') {
            if (!cell.text.isEmpty()) {
                *error = QStringLiteral("line %1: a quote inside an unquoted field").arg(line);
                return false;
            }
            inQuotes = true;
            cell.quoted = true;
            recordHasContent = true;
        } else {
            cell.text += c;
            recordHasContent = true;
        }
    }
    if (inQuotes) {
        *error = QStringLiteral("line %1: a quoted field is not closed").arg(recordLine);
        return false;
    }
    if (recordHasContent || !record.empty())
        endRecord();
    return true;
}

bool isInteger(const QString& s) {
    bool ok = false;
    s.toLongLong(&ok);
    return ok;
}

bool isReal(const QString& s) {
    bool ok = false;
    const double v = s.toDouble(&ok); // QString::toDouble reads the C locale
    return ok && std::isfinite(v);
}

} // namespace

std::optional<CsvTable> CsvTable::read(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    auto table = parse(file.readAll(), error);
    if (!table)
        *error = path + QStringLiteral(": ") + *error;
    return table;
}

std::optional<CsvTable> CsvTable::parse(const QByteArray& data, QString* error) {
    QString text = QString::fromUtf8(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    std::vector<std::vector<Cell>> records;
    std::vector<int> lines;
    if (!splitRecords(text, records, lines, error))
        return std::nullopt;
    if (records.empty()) {
        *error = QStringLiteral("no header line");
        return std::nullopt;
    }
    CsvTable table;
    for (const Cell& c : records.front()) {
        if (c.text.trimmed().isEmpty()) {
            *error = QStringLiteral("line %1: an empty column name").arg(lines.front());
            return std::nullopt;
        }
        if (table.header_.contains(c.text, Qt::CaseInsensitive)) {
            *error = QStringLiteral("line %1: the column name %2 appears twice")
                         .arg(lines.front())
                         .arg(c.text);
            return std::nullopt;
        }
        table.header_.append(c.text);
    }
    for (std::size_t r = 1; r < records.size(); ++r) {
        if (records[r].size() != static_cast<std::size_t>(table.header_.size())) {
            *error = QStringLiteral("line %1: %2 fields where the header has %3")
                         .arg(lines[r])
                         .arg(records[r].size())
                         .arg(table.header_.size());
            return std::nullopt;
        }
        table.rows_.push_back(std::move(records[r]));
    }
    table.inferTypes();
    return table;
}

bool CsvTable::isMissing(const Cell& cell) {
    return !cell.quoted && (cell.text.isEmpty() || cell.text == QLatin1String("NA"));
}

void CsvTable::inferTypes() {
    types_.assign(header_.size(), ColumnType::Integer);
    for (int c = 0; c < header_.size(); ++c) {
        ColumnType type = ColumnType::Integer;
        bool present = false;
        for (const auto& row : rows_) {
            const Cell& cell = row[c];
            if (isMissing(cell))
                continue;
            present = true;
            if (cell.quoted || !isReal(cell.text)) {
                type = ColumnType::Text;
                break;
            }
            if (!isInteger(cell.text))
                type = ColumnType::Real;
        }
        // Nothing to go by: text holds whatever is entered later.
        types_[c] = present ? type : ColumnType::Text;
    }
}
