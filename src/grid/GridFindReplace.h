#pragma once
// Find and replace in one grid: finds the next record whose cell in one of the searched columns
// matches (numbers as numbers; texts from their start, or whole with "Find whole word"), and
// replaces the matched text — in one record or, in one transaction, in many. It tells only of
// failures; what was found or replaced is for the caller to report.
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

    // The first match in rows from..until-1 (until < 0: to the end).
    std::optional<GridController::Cell> findNext(const QString& text, const Options& options,
                                                 int from, int until = -1) const;
    // Replaces the first match in the row: 1 when replaced, 0 when the row does not match, -1
    // when the database refused (said so).
    int replaceInRow(const QString& text, const QString& replacement, const Options& options,
                     int row);
    // Replaces every match in rows from fromRow on, all or none: the count, -1 when refused.
    int replaceAll(const QString& text, const QString& replacement, const Options& options,
                   int fromRow = 0);

private:
    std::optional<CellValue> replaced(const CellValue& cell, const QString& text,
                                      const QString& replacement, const Options& options) const;
    bool write(const RowSet& shape, const RowSet::Row& row, int column, const CellValue& value);

    GridController& grid_;
    Dialogs& dialogs_;
};
