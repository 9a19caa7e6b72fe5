#pragma once
// Writes every page of a workbook as a worksheet of an .xlsx file (libxlsxwriter): numbers as
// numbers, texts as strings. Page names Excel refuses (too long, with []:*?/\) become "PageN".
// Written beside the target and renamed, so a failed save leaves the old file as it was. What
// the format cannot hold is refused, naming the cell, rather than written changed: a text over
// 32,767 characters or with a NUL, a text with a lone surrogate, infinities and NaN.
#include <QString>

class Workbook;

class XlsxWorkbookWriter {
public:
    static bool write(const Workbook& workbook, const QString& path, QString* error);
};
