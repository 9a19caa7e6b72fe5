#pragma once
// The grid's edits of many records at once: rounding to digits, trimming, numbering, deleting
// the selected records, and deleting records with their related data in every table. Each runs
// in one transaction: a database error leaves every record as it was, and says why.
#include "grid/GridTarget.h"

#include <QStringList>
#include <functional>
#include <vector>

class Dialogs;
class SchemaCatalogue;
class Status;

class GridBulkEdits {
public:
    GridBulkEdits(GridTarget target, Dialogs& dialogs, Status& status);

    // Columns are 0-based positions of the grid's columns, first to last selected.
    bool digits(int firstColumn, int lastColumn);
    bool trim(int firstColumn, int lastColumn);
    bool updateRowNumber(int column);
    // Rows are 0-based positions in the grid's order.
    bool deleteRows(const std::vector<int>& rows);
    // Deletes, in every base table holding all the identifying columns, the records whose
    // values equal those of a selected row.
    bool deleteInAllTables(const QStringList& columns, const std::vector<int>& rows,
                           const SchemaCatalogue& catalogue);

private:
    bool ready();
    QString columnName(int column) const;
    bool rewrite(int firstColumn, int lastColumn,
                 const std::function<std::optional<CellValue>(const CellValue&)>& change,
                 int* changedRecords);
    void showError(const QString& what);

    GridTarget target_;
    Dialogs& dialogs_;
    Status& status_;
    std::optional<RowSet> rows_;
};
