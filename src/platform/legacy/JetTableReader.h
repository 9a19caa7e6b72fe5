#pragma once
// Reads the rows of one Jet table through mdbtools as cells: Null where Jet stores Null (never an
// empty text), numbers from their stored bytes, dates through JetDate. Values that have no cell
// form (dates outside Jet's calendar, OLE and binary data) become Null and are reported in
// warnings(). Used by JetImporter only; the MdbTableDef must outlive the reader.
#include "platform/CellValue.h"
#include "platform/legacy/MdbHandles.h"

#include <QStringList>
#include <functional>
#include <vector>

class JetTableReader {
public:
    explicit JetTableReader(MdbTableDef* table);

    // The columns that are read, in table order (complex/attachment columns are left out).
    const std::vector<MdbColumn*>& columns() const { return columns_; }
    // Calls `row` for each row; stops and returns false when `row` returns false.
    bool forEachRow(const std::function<bool(const std::vector<CellValue>&)>& row);
    const QStringList& warnings() const { return warnings_; }

private:
    CellValue value(MdbColumn* column, const MdbField& field, qint64 rowNumber);
    void warnOnce(MdbColumn* column, const QString& text);

    MdbTableDef* table_;
    std::vector<MdbColumn*> columns_;
    std::vector<int> columnIndex_; // table column number -> position in columns_, or -1
    QStringList warnings_;
    std::vector<bool> warned_;
};
