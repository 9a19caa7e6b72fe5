#include "platform/Sheet.h"

#include "platform/FieldNumber.h"
#include "platform/NumberText.h"
#include "platform/TsvFormat.h"
#include "platform/TsvReader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>
#include <string_view>

namespace {
struct Range {
    int row1, column1, row2, column2;
};

// Puts the corners in order; nullopt when a corner lies outside the sheet.
std::optional<Range> normalized(int row1, int column1, int row2, int column2) {
    Range r{std::min(row1, row2), std::min(column1, column2), std::max(row1, row2),
            std::max(column1, column2)};
    if (r.row1 < 1 || r.column1 < 1 || r.row2 > Sheet::maxRows || r.column2 > Sheet::maxColumns) {
        return std::nullopt;
    }
    return r;
}

bool sameCell(const SheetCell& a, const SheetCell& b) {
    if (a.kind() != b.kind()) {
        return false;
    }
    switch (a.kind()) {
    case SheetCell::Kind::Empty:
        return true;
    case SheetCell::Kind::Number:
        if (std::isnan(a.number()) || std::isnan(b.number())) {
            return std::isnan(a.number()) && std::isnan(b.number());
        }
        return std::bit_cast<std::uint64_t>(a.number()) == std::bit_cast<std::uint64_t>(b.number());
    case SheetCell::Kind::Text:
        return a.storedText() == b.storedText();
    }
    return false;
}

// Three-way order of two cells under one key (see Sheet::sort).
int compareCells(const SheetCell& a, const SheetCell& b, bool ascending) {
    const auto rank = [](const SheetCell& c) {
        switch (c.kind()) {
        case SheetCell::Kind::Number:
            return 0;
        case SheetCell::Kind::Text:
            return 1;
        case SheetCell::Kind::Empty:
            break;
        }
        return 2;
    };
    const int ra = rank(a);
    const int rb = rank(b);
    if (ra == 2 || rb == 2) {
        return (ra == 2) - (rb == 2); // empty cells last, whatever the direction
    }
    int result = 0;
    if (ra != rb) {
        result = ra < rb ? -1 : 1;
    } else if (ra == 0) {
        const double x = a.number();
        const double y = b.number();
        if (std::isnan(x) || std::isnan(y)) { // NaN after every number: a strict weak order
            result = std::isnan(x) - std::isnan(y);
        } else {
            result = (x > y) - (x < y);
        }
    } else {
        const int c = QString::compare(a.storedText(), b.storedText(), Qt::CaseInsensitive);
        result = (c > 0) - (c < 0);
    }
    return ascending ? result : -result;
}

std::string_view bytesOf(const QByteArray& field) {
    return {field.constData(), static_cast<std::size_t>(field.size())};
}
} // namespace

const SheetCell* Sheet::cellAt(int row, int column) const {
    if (row < 1 || column < 1 || row > lastRow()) {
        return nullptr;
    }
    const auto& cells = rows_[static_cast<std::size_t>(row - 1)];
    if (static_cast<std::size_t>(column) > cells.size()) {
        return nullptr;
    }
    return &cells[static_cast<std::size_t>(column - 1)];
}

const std::vector<SheetCell>& Sheet::rowCells(int row) const {
    static const std::vector<SheetCell> none;
    if (row < 1 || row > lastRow()) {
        return none;
    }
    return rows_[static_cast<std::size_t>(row - 1)];
}

void Sheet::trimRow(int index) {
    auto& cells = rows_[static_cast<std::size_t>(index)];
    const std::size_t before = cells.size();
    while (!cells.empty() && cells.back().isEmpty()) {
        cells.pop_back();
    }
    if (cells.size() < before && lastColumnKnown_ && static_cast<int>(before) >= lastColumn_) {
        columnsChanged();
    }
}

void Sheet::trimRows() {
    while (!rows_.empty() && rows_.back().empty()) {
        rows_.pop_back();
    }
}

int Sheet::lastColumn() const {
    if (!lastColumnKnown_) {
        std::size_t widest = 0;
        for (const auto& cells : rows_) {
            widest = std::max(widest, cells.size());
        }
        lastColumn_ = static_cast<int>(widest);
        lastColumnKnown_ = true;
    }
    return lastColumn_;
}

bool Sheet::setCell(int row, int column, SheetCell cell) {
    if (!validCell(row, column)) {
        return false;
    }
    const auto index = static_cast<std::size_t>(row - 1);
    const auto at = static_cast<std::size_t>(column - 1);
    if (cell.isEmpty()) {
        if (index < rows_.size() && at < rows_[index].size()) {
            rows_[index][at] = SheetCell();
            trimRow(row - 1);
            trimRows();
        }
        return true;
    }
    if (index >= rows_.size()) {
        rows_.resize(index + 1);
    }
    auto& cells = rows_[index];
    if (at >= cells.size()) {
        cells.resize(at + 1);
    }
    cells[at] = std::move(cell);
    if (lastColumnKnown_ && column > lastColumn_) {
        lastColumn_ = column;
    }
    return true;
}

bool Sheet::setText(int row, int column, const QString& text) {
    return setCell(row, column, SheetCell(text));
}

bool Sheet::setNumber(int row, int column, double value) {
    return setCell(row, column, SheetCell(value));
}

void Sheet::clearCell(int row, int column) {
    setCell(row, column, SheetCell());
}

bool Sheet::setValue(int row, int column, const CellValue& value) {
    if (value.kind() == CellValue::Kind::Number)
        return setNumber(row, column, *value.toNumber());
    if (value.isMissing())
        return setCell(row, column, SheetCell());
    return setText(row, column, value.toText());
}

CellValue Sheet::value(int row, int column) const {
    if (isEmpty(row, column))
        return CellValue::null();
    if (isNumber(row, column))
        return CellValue::number(*number(row, column));
    return CellValue::text(text(row, column));
}

SheetCell::Kind Sheet::kind(int row, int column) const {
    const SheetCell* cell = cellAt(row, column);
    return cell ? cell->kind() : SheetCell::Kind::Empty;
}

QString Sheet::text(int row, int column) const {
    const SheetCell* cell = cellAt(row, column);
    if (!cell) {
        return {};
    }
    if (cell->kind() == SheetCell::Kind::Number) {
        return NumberText::toText(cell->number());
    }
    return cell->storedText();
}

std::optional<double> Sheet::number(int row, int column) const {
    const SheetCell* cell = cellAt(row, column);
    if (!cell || cell->isEmpty()) {
        return std::nullopt;
    }
    if (cell->kind() == SheetCell::Kind::Number) {
        return cell->number();
    }
    return NumberText::fromText(QStringView(cell->storedText()));
}

void Sheet::clear() {
    rows_.clear();
    rows_.shrink_to_fit();
    lastColumn_ = 0;
    lastColumnKnown_ = true;
}

void Sheet::clearRange(int row1, int column1, int row2, int column2) {
    const auto range = normalized(row1, column1, row2, column2);
    if (!range) {
        return;
    }
    const int lastUsedRow = std::min(range->row2, lastRow());
    for (int row = range->row1; row <= lastUsedRow; ++row) {
        auto& cells = rows_[static_cast<std::size_t>(row - 1)];
        const int end = std::min(range->column2, static_cast<int>(cells.size()));
        for (int column = range->column1; column <= end; ++column) {
            cells[static_cast<std::size_t>(column - 1)] = SheetCell();
        }
        trimRow(row - 1);
    }
    trimRows();
}

bool Sheet::copyRange(int row1, int column1, int row2, int column2, Sheet& dest, int destRow,
                      int destColumn) const {
    const auto range = normalized(row1, column1, row2, column2);
    if (!range || !validCell(destRow, destColumn)) {
        return false;
    }
    const int height = range->row2 - range->row1 + 1;
    const int width = range->column2 - range->column1 + 1;
    if (destRow > maxRows - height + 1 || destColumn > maxColumns - width + 1) {
        return false;
    }
    // Read the used part of the source first, so that an overlapping destination cannot
    // overwrite cells before they are copied.
    std::vector<std::vector<SheetCell>> copied;
    const int lastUsedRow = std::min(range->row2, lastRow());
    for (int row = range->row1; row <= lastUsedRow; ++row) {
        const auto& cells = rows_[static_cast<std::size_t>(row - 1)];
        std::vector<SheetCell> part;
        const int end = std::min(range->column2, static_cast<int>(cells.size()));
        for (int column = range->column1; column <= end; ++column) {
            part.push_back(cells[static_cast<std::size_t>(column - 1)]);
        }
        copied.push_back(std::move(part));
    }
    dest.clearRange(destRow, destColumn, destRow + height - 1, destColumn + width - 1);
    for (std::size_t r = 0; r < copied.size(); ++r) {
        for (std::size_t c = 0; c < copied[r].size(); ++c) {
            if (!copied[r][c].isEmpty()) {
                dest.setCell(destRow + static_cast<int>(r), destColumn + static_cast<int>(c),
                             std::move(copied[r][c]));
            }
        }
    }
    return true;
}

bool Sheet::insertRows(int row, int count) {
    if (row < 1 || row > maxRows || count < 1) {
        return false;
    }
    if (row > lastRow()) {
        return true;
    }
    if (count > maxRows - lastRow()) {
        return false;
    }
    rows_.insert(rows_.begin() + (row - 1), static_cast<std::size_t>(count), {});
    return true;
}

bool Sheet::deleteRows(int row, int count) {
    if (row < 1 || row > maxRows || count < 1) {
        return false;
    }
    if (row > lastRow()) {
        return true;
    }
    const int end = row - 1 + std::min(count, lastRow() - row + 1);
    rows_.erase(rows_.begin() + (row - 1), rows_.begin() + end);
    trimRows();
    columnsChanged();
    return true;
}

bool Sheet::insertColumns(int column, int count) {
    if (column < 1 || column > maxColumns || count < 1) {
        return false;
    }
    if (column > lastColumn()) {
        return true;
    }
    if (count > maxColumns - lastColumn()) {
        return false;
    }
    for (auto& cells : rows_) {
        if (static_cast<std::size_t>(column) <= cells.size()) {
            cells.insert(cells.begin() + (column - 1), static_cast<std::size_t>(count),
                         SheetCell());
        }
    }
    columnsChanged();
    return true;
}

bool Sheet::deleteColumns(int column, int count) {
    if (column < 1 || column > maxColumns || count < 1) {
        return false;
    }
    for (std::size_t index = 0; index < rows_.size(); ++index) {
        auto& cells = rows_[index];
        if (static_cast<std::size_t>(column) <= cells.size()) {
            const auto end = std::min(cells.size(), static_cast<std::size_t>(column - 1) +
                                                        static_cast<std::size_t>(count));
            cells.erase(cells.begin() + (column - 1), cells.begin() + static_cast<qsizetype>(end));
            trimRow(static_cast<int>(index));
        }
    }
    trimRows();
    columnsChanged();
    return true;
}

bool Sheet::sort(int row1, int column1, int row2, int column2, const std::vector<SortKey>& keys) {
    const auto range = normalized(row1, column1, row2, column2);
    if (!range || keys.empty()) {
        return false;
    }
    for (const SortKey& key : keys) {
        if (key.column < range->column1 || key.column > range->column2) {
            return false;
        }
    }
    const int lastUsedRow = std::min(range->row2, lastRow());
    const int lastUsedColumn = std::min(range->column2, lastColumn());
    if (lastUsedRow <= range->row1 || lastUsedColumn < range->column1) {
        return true; // at most one row, or nothing but empty cells
    }
    const auto width = static_cast<std::size_t>(lastUsedColumn - range->column1 + 1);
    const auto first = static_cast<std::size_t>(range->column1 - 1);
    std::vector<std::vector<SheetCell>> segments;
    segments.reserve(static_cast<std::size_t>(lastUsedRow - range->row1 + 1));
    for (int row = range->row1; row <= lastUsedRow; ++row) {
        auto& cells = rows_[static_cast<std::size_t>(row - 1)];
        std::vector<SheetCell> segment(width);
        for (std::size_t c = 0; c < width && first + c < cells.size(); ++c) {
            segment[c] = std::move(cells[first + c]);
        }
        segments.push_back(std::move(segment));
    }
    // Texts are case-folded once per key, not in every comparison.
    std::vector<std::vector<QString>> folded(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const auto at = static_cast<std::size_t>(keys[k].column - range->column1);
        if (at >= width) {
            continue;
        }
        folded[k].resize(segments.size());
        for (std::size_t i = 0; i < segments.size(); ++i) {
            if (segments[i][at].kind() == SheetCell::Kind::Text) {
                folded[k][i] = segments[i][at].storedText().toCaseFolded();
            }
        }
    }
    std::vector<std::size_t> order(segments.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const auto at = static_cast<std::size_t>(keys[k].column - range->column1);
            if (at >= width) {
                continue; // a key column with no cells in the range: all equal
            }
            const SheetCell& x = segments[a][at];
            const SheetCell& y = segments[b][at];
            int c = 0;
            if (x.kind() == SheetCell::Kind::Text && y.kind() == SheetCell::Kind::Text) {
                const int f = folded[k][a].compare(folded[k][b]);
                c = keys[k].ascending ? (f > 0) - (f < 0) : (f < 0) - (f > 0);
            } else {
                c = compareCells(x, y, keys[k].ascending);
            }
            if (c != 0) {
                return c < 0;
            }
        }
        return false;
    });
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int row = range->row1 + static_cast<int>(i);
        auto& cells = rows_[static_cast<std::size_t>(row - 1)];
        auto& segment = segments[order[i]];
        if (cells.size() < first + width) {
            cells.resize(first + width);
        }
        for (std::size_t c = 0; c < width; ++c) {
            cells[first + c] = std::move(segment[c]);
        }
        trimRow(row - 1);
    }
    trimRows();
    return true;
}

QString Sheet::toTsv(int row1, int column1, int row2, int column2) const {
    const auto range = normalized(row1, column1, row2, column2);
    if (!range) {
        return {};
    }
    const int lastUsedRow = std::min(range->row2, lastRow());
    const int lastUsedColumn = std::min(range->column2, lastColumn());
    if (lastUsedColumn < range->column1) {
        return {};
    }
    QByteArray out;
    for (int row = range->row1; row <= lastUsedRow; ++row) {
        const auto& cells = rows_[static_cast<std::size_t>(row - 1)];
        for (int column = range->column1; column <= lastUsedColumn; ++column) {
            if (column > range->column1) {
                out.append('\t');
            }
            if (static_cast<std::size_t>(column) > cells.size()) {
                continue;
            }
            const SheetCell& cell = cells[static_cast<std::size_t>(column - 1)];
            if (cell.kind() == SheetCell::Kind::Number) {
                NumberText::appendTo(out, cell.number());
            } else if (cell.kind() == SheetCell::Kind::Text) {
                TsvFormat::appendField(out, cell.storedText());
            }
        }
        out.append("\r\n");
    }
    return QString::fromUtf8(out);
}

std::optional<Sheet::Extent> Sheet::fromTsv(const QString& text, int row, int column,
                                            bool allText) {
    if (!validCell(row, column)) {
        return std::nullopt;
    }
    const QByteArray bytes = text.toUtf8();
    std::vector<QByteArray> fields;
    Extent extent;
    {
        TsvReader measure(bytes, TsvReader::Mode::Lenient);
        while (measure.readRecord(fields)) {
            ++extent.rows;
            extent.columns = std::max(extent.columns, static_cast<int>(fields.size()));
        }
    }
    if (extent.rows == 0) {
        return extent;
    }
    if (extent.rows > maxRows - row + 1 || extent.columns > maxColumns - column + 1) {
        return std::nullopt;
    }
    TsvReader reader(bytes, TsvReader::Mode::Lenient);
    for (int r = row; reader.readRecord(fields); ++r) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const QByteArray& field = fields[i];
            const int c = column + static_cast<int>(i);
            std::optional<double> value;
            if (!allText) {
                value = FieldNumber::of(bytesOf(field)); // "007" stays a text
            }
            if (value) {
                setCell(r, c, SheetCell(*value));
            } else {
                setCell(r, c, SheetCell(QString::fromUtf8(field)));
            }
        }
    }
    return extent;
}

int Sheet::findInColumn(int column, QStringView text, bool caseSensitive, int fromRow) const {
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int row = std::max(fromRow, 1); row <= lastRow(); ++row) {
        const SheetCell* cell = cellAt(row, column);
        if (!cell || cell->isEmpty()) {
            if (text.isEmpty()) {
                return row;
            }
            continue;
        }
        const QString own = cell->kind() == SheetCell::Kind::Number
                                ? NumberText::toText(cell->number())
                                : cell->storedText();
        if (QStringView(own).compare(text, cs) == 0) {
            return row;
        }
    }
    return 0;
}

bool Sheet::operator==(const Sheet& other) const {
    if (rows_.size() != other.rows_.size()) {
        return false;
    }
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const auto& a = rows_[r];
        const auto& b = other.rows_[r];
        if (a.size() != b.size()) {
            return false;
        }
        for (std::size_t c = 0; c < a.size(); ++c) {
            if (!sameCell(a[c], b[c])) {
                return false;
            }
        }
    }
    return true;
}
