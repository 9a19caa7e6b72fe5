#pragma once
// A comma-separated table as R and spreadsheets write it: a header line of column names, then
// one record per line, split by CsvText (quoted fields may hold commas, line breaks and '""'; a
// broken quote is an error naming its line). Text that is no UTF-8 is read as Windows-1252. An
// unquoted NA or an empty unquoted field is a missing value. Column types are inferred from the
// values: a column is numeric when every present value is an unquoted number (Integer when all are
// whole numbers that fit 64 bits), else Text; a column without any value is Text. Owns the parsed
// cells; used by SampleGenerator to import outside tables.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class CsvTable {
public:
    enum class ColumnType { Integer, Real, Text };
    struct Cell {
        QString text;
        bool quoted = false;
    };

    // Reads and parses a file; on failure returns nothing and sets *error.
    static std::optional<CsvTable> read(const QString& path, QString* error);
    static std::optional<CsvTable> parse(const QByteArray& data, QString* error);

    const QStringList& header() const { return header_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    const Cell& cell(int row, int column) const { return rows_[row][column]; }
    ColumnType columnType(int column) const { return types_[column]; }
    static bool isMissing(const Cell& cell);

private:
    void inferTypes();

    QStringList header_;
    std::vector<std::vector<Cell>> rows_;
    std::vector<ColumnType> types_;
};
