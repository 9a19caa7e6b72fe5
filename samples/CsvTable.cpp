#include "CsvTable.h"

#include "clipdata/CsvText.h"
#include "platform/TextFileDecoder.h"

#include <QFile>
#include <cmath>

namespace {

// Splits the text into records of cells (CsvText's rules), with the line each begins on.
bool splitRecords(const QString& text, std::vector<std::vector<CsvTable::Cell>>& records,
                  std::vector<int>& lines, QString* error) {
    return CsvText::forEachRecord(
        text,
        [&](const CsvText::Record& record) {
            // Blank lines (a lone empty unquoted field) are not records.
            if (record.fields.size() == 1 && !record.fields[0].quoted &&
                record.fields[0].text.isEmpty())
                return true;
            std::vector<CsvTable::Cell> cells;
            cells.reserve(record.fields.size());
            for (const CsvText::Field& field : record.fields)
                cells.push_back({field.text, field.quoted});
            records.push_back(std::move(cells));
            lines.push_back(record.line);
            return true;
        },
        error);
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
    const QString text = TextFileDecoder::decode(data).text;
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
