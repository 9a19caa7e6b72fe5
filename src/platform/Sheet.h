#pragma once
// A grid of cells addressed by 1-based row and column, each empty, a number or a text: the
// program's working tables (catalogue lists, ClipData pages, macros, PictureBooks, result
// tables). A Sheet owns its cells; it is a value type (copyable, movable). Anyone may use it.
//
// The used range runs from (1, 1) to (lastRow(), lastColumn()), the last row and column that
// hold a cell; both are 0 when the sheet is empty and shrink when the last cells are cleared.
// Storage is one vector of cells per row, each row only as long as its last used cell, so a
// million rows of ten numbers take about 200 MB.
//
// Rows and columns outside 1..maxRows and 1..maxColumns do not exist: setters return false for
// them and readers see empty cells. Ranges are given by two corners in either order.
#include "platform/CellValue.h"
#include "platform/SheetCell.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

class Sheet {
public:
    static constexpr int maxRows = 1 << 20; // 1048576, as in the common spreadsheets
    static constexpr int maxColumns = 16384;

    struct SortKey {
        int column = 1; // a column of the sorted range, counted from column 1 of the sheet
        bool ascending = true;
    };
    struct Extent {
        int rows = 0;
        int columns = 0;
        bool operator==(const Extent&) const = default;
    };

    // An empty text clears the cell.
    bool setText(int row, int column, const QString& text);
    bool setNumber(int row, int column, double value);
    // A database value into a cell: numbers as numbers, Null as an empty cell, anything else
    // (texts, dates) as its text.
    bool setValue(int row, int column, const CellValue& value);
    void clearCell(int row, int column);

    SheetCell::Kind kind(int row, int column) const;
    bool isEmpty(int row, int column) const { return kind(row, column) == SheetCell::Kind::Empty; }
    bool isNumber(int row, int column) const {
        return kind(row, column) == SheetCell::Kind::Number;
    }
    // A text as stored, a number in its shortest C-locale form, "" for an empty cell.
    QString text(int row, int column) const;
    // A number, or a text that reads as a C-locale number (NumberText::fromText).
    std::optional<double> number(int row, int column) const;
    // The cell as a database value: Null when empty (or outside the sheet), else its number or
    // its text.
    CellValue value(int row, int column) const;

    int lastRow() const { return static_cast<int>(rows_.size()); }
    int lastColumn() const;
    bool isBlank() const { return rows_.empty(); }

    void clear();
    void clearRange(int row1, int column1, int row2, int column2);
    // Copies the cells of the range, empty ones included, to dest with the range's first cell
    // at (destRow, destColumn). dest may be this sheet and the ranges may overlap: the result
    // is as if the source had been read completely first. False (nothing copied) when the
    // copy would leave the sheet's limits.
    bool copyRange(int row1, int column1, int row2, int column2, Sheet& dest, int destRow,
                   int destColumn) const;

    // Insert empty rows before `row` / delete rows row..row+count-1; the rest moves. False
    // when the arguments are out of range or inserting would push cells past maxRows.
    bool insertRows(int row, int count = 1);
    bool deleteRows(int row, int count = 1);
    bool insertColumns(int column, int count = 1);
    bool deleteColumns(int column, int count = 1);

    // Sorts the rows of the range by the keys, in order; only the range's cells move. Stable.
    // Ascending: numbers (by value) before texts (case-insensitive); descending reverses that;
    // empty cells come last either way. False when a key column lies outside the range.
    bool sort(int row1, int column1, int row2, int column2, const std::vector<SortKey>& keys);

    // The range as tab-separated text, each row ended by CR LF, clipped to the used range;
    // rows keep all their TABs so that pasting the text back clears what was empty.
    QString toTsv(int row1, int column1, int row2, int column2) const;
    QString toTsv() const { return toTsv(1, 1, lastRow(), lastColumn()); }
    // Writes tab-separated text with its first cell at (row, column): fields that read as
    // numbers (FieldNumber: not "007") become numbers unless allText, empty fields clear their
    // cell, cells the text
    // does not reach stay. Returns the rows and columns the text covered; nullopt, with
    // nothing written, when it would leave the sheet's limits.
    std::optional<Extent> fromTsv(const QString& text, int row = 1, int column = 1,
                                  bool allText = false);

    // The first row from `fromRow` whose cell's text() equals text; 0 when there is none.
    int findInColumn(int column, QStringView text, bool caseSensitive, int fromRow = 1) const;

    // Same cells: kinds, texts, and numbers bit for bit (-0 differs from 0), any NaN equal to
    // any NaN.
    bool operator==(const Sheet& other) const;

    // For readers that walk a whole row fast (serialisers); empty past the row's last cell.
    const std::vector<SheetCell>& rowCells(int row) const;
    // Puts a cell without any checks but the limits; used by parsers.
    bool setCell(int row, int column, SheetCell cell);

private:
    static bool validCell(int row, int column) {
        return row >= 1 && row <= maxRows && column >= 1 && column <= maxColumns;
    }
    const SheetCell* cellAt(int row, int column) const;
    // Trims the row's trailing empty cells, then the sheet's trailing empty rows.
    void trimRow(int index);
    void trimRows();
    void columnsChanged() { lastColumnKnown_ = false; }

    std::vector<std::vector<SheetCell>> rows_;
    mutable int lastColumn_ = 0;
    mutable bool lastColumnKnown_ = true;
};
