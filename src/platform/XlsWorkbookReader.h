#pragma once
// Reads an Excel 97 (.xls, BIFF5/BIFF8) workbook into a Workbook through FreeXL: one sheet per
// worksheet, in the file's order and with its names (made unique with " (2)", " (3)", ...).
// Numbers stay numbers; dates and times come as their texts ("2021-06-15",
// "2021-06-16 12:30:00", "12:30:00", as far as the cell's format shows them), since a page cell
// holds no date type. Formulas give the value last saved with them.
#include "platform/Workbook.h"

#include <QString>
#include <optional>

class XlsWorkbookReader {
public:
    // The workbook, or none with the reason in `error` (unreadable, not an .xls, protected by a
    // password, or a worksheet larger than a page).
    static std::optional<Workbook> read(const QString& path, QString* error);
};
