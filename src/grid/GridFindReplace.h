#pragma once
// "Find and Replace" in a grid: finds the next record whose cell in one of the searched columns
// matches (numbers as numbers; texts from their start, or whole with "Find whole word"), and
// replaces the matched text — in one record or, in one transaction, in all.
#include "grid/GridController.h"

class Dialogs;

class GridFindReplace {
public:
    struct Options {
        std::vector<int> columns; // 0-based grid columns
        bool wholeWord = false;
        bool matchCase = false;
    };

    GridFindReplace(GridController& grid, Dialogs& dialogs);

    // The row found at or after `from`; "No matching records" when there is none.
    std::optional<int> findNext(const QString& text, const Options& options, int from);
    // Replaces the match in the row when it matches there, then finds the next one.
    std::optional<int> replace(const QString& text, const QString& replacement,
                               const Options& options, int row);
    // Replaces every match and reports the count + " replacements done.".
    int replaceAll(const QString& text, const QString& replacement, const Options& options);

private:
    std::optional<CellValue> replaced(const CellValue& cell, const QString& text,
                                      const QString& replacement, const Options& options) const;
    bool write(const RowSet& shape, const RowSet::Row& row, int column, const CellValue& value);

    GridController& grid_;
    Dialogs& dialogs_;
};
