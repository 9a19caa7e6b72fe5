#pragma once
// The grid's chemistry menu: "&Calculate FeOTOT" sums the selected iron columns, each turned into
// FeO, into the FeOTOT column of the selected rows; "Convert units and oxides..." writes a
// column's values in another unit or form (Fe2O3% as FeO %, Cu_ppm as Cu %) into a new column;
// "Add element content" writes an oxide column's element (SiO2% gives Si%). Each runs in one
// transaction and writes rows back by the base table's key.
#include "grid/GridTarget.h"

#include <QStringList>
#include <optional>
#include <vector>

class Dialogs;
class SessionDatabase;
class Status;

class GridChemistry {
public:
    GridChemistry(GridTarget target, SessionDatabase& session, Dialogs& dialogs, Status& status);

    // rows: 0-based in the grid's order; columns: the selected ones, first to last. The target
    // is the grid's first column whose name begins with "FEOTOT" (any case); a row without any
    // numeric iron value keeps its FeOTOT value.
    bool calculateFeOTot(const std::vector<int>& rows, int firstColumn, int lastColumn);
    // Asks, for each selected column, the form and unit to convert to ("FeO %").
    bool convertColumns(int firstColumn, int lastColumn);
    bool addElementContent(int firstColumn, int lastColumn);

    // The field a converted column goes to: "FeO%" for per cent, "Fe_ppm" for other units.
    static QString convertedFieldName(const QString& target);

private:
    bool ready();
    QString columnName(int column) const;
    // Writes factor × the column's numbers into the field (added as DOUBLE when missing).
    bool writeConverted(int column, double factor, const QString& field, int* written);
    void showError(const QString& what);

    GridTarget target_;
    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    std::optional<RowSet> rows_;
};
