#include "platform/XlsxWorkbookWriter.h"

#include "platform/Workbook.h"

#include <QFile>
#include <xlsxwriter.h>

bool XlsxWorkbookWriter::write(const Workbook& book, const QString& path, QString* error) {
    const QString part = path + QStringLiteral(".part");
    const QByteArray partName = QFile::encodeName(part);
    lxw_workbook* workbook = workbook_new(partName.constData());
    if (!workbook) {
        *error = QStringLiteral("Error in writing file ") + path;
        return false;
    }
    for (int i = 1; i <= book.sheetCount(); ++i) {
        QByteArray name = book.sheetName(i).toUtf8();
        if (name.isEmpty() ||
            workbook_validate_sheet_name(workbook, name.constData()) != LXW_NO_ERROR)
            name = QStringLiteral("Page%1").arg(i).toUtf8();
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, name.constData());
        if (!sheet)
            sheet = workbook_add_worksheet(workbook, nullptr); // "PageN" taken by another page
        const Sheet& page = *book.sheetAt(i);
        for (int r = 1; r <= page.lastRow(); ++r)
            for (int c = 1; c <= int(page.rowCells(r).size()); ++c) {
                const auto row = lxw_row_t(r - 1);
                const auto col = lxw_col_t(c - 1);
                if (page.isNumber(r, c))
                    worksheet_write_number(sheet, row, col, *page.number(r, c), nullptr);
                else if (!page.isEmpty(r, c))
                    worksheet_write_string(sheet, row, col, page.text(r, c).toUtf8().constData(),
                                           nullptr);
            }
    }
    const lxw_error closed = workbook_close(workbook);
    if (closed != LXW_NO_ERROR || (QFile::exists(path) && !QFile::remove(path)) ||
        !QFile::rename(part, path)) {
        QFile::remove(part);
        *error = QStringLiteral("Error in writing file ") + path;
        if (closed != LXW_NO_ERROR)
            *error += QStringLiteral(": ") + QString::fromUtf8(lxw_strerror(closed));
        return false;
    }
    return true;
}
