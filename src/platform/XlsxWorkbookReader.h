#pragma once
// Reads an .xlsx workbook (libzip for the package, QXmlStreamReader for its parts) into a
// Workbook: one sheet per worksheet in the workbook's order, with its names. Numbers stay
// numbers and booleans become 1 and 0; shared, inline and formula strings, and error values
// such as "#N/A", become texts. A number formatted as a date or time comes as its text, as from
// an .xls file ("2021-06-15", "2021-06-16 12:30:00", "12:30:00"), in the 1900 or 1904 date
// system the workbook names.
#include "platform/Workbook.h"

#include <QString>
#include <optional>

class XlsxWorkbookReader {
public:
    // The workbook, or none with the reason in `error`.
    static std::optional<Workbook> read(const QString& path, QString* error);
};
