#pragma once
// Reads an Excel 97 (.xls, BIFF5/BIFF8) workbook into a Workbook through FreeXL: one sheet per
// worksheet, in the file's order and with its names (made unique with " (2)", " (3)", ...).
// Numbers stay numbers; dates and times come as their texts ("2021-06-15",
// "2021-06-16 12:30:00", "12:30:00", as far as the cell's format shows them), since a page cell
// holds no date type. Formulas give the value last saved with them.
//
// FreeXL corrupts memory on some damaged files, so read() runs it in a child process
// (IsolatedRun): a crash or a hang there becomes the error, and the workbook comes back in the
// program's own workbook text.
#include "platform/IsolatedRun.h"
#include "platform/Workbook.h"

#include <QString>
#include <optional>

class XlsWorkbookReader {
public:
    // The workbook, or none with the reason in `error` (unreadable, not an .xls, protected by a
    // password, or a worksheet larger than a page).
    // `limit` bounds the child's time; by default IsolatedRun::limitFor the file's size.
    static std::optional<Workbook> read(const QString& path, QString* error,
                                        std::optional<IsolatedRun::Seconds> limit = {});
    // The same reading in this process, where a damaged file can crash the program: only for
    // files read() accepted (the fuzzer needs the library's coverage, which a child loses).
    static std::optional<Workbook> readInProcess(const QString& path, QString* error);
};
