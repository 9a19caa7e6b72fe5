#include "platform/XlsxWorkbookWriter.h"

#include "platform/SheetLimits.h"
#include "platform/Workbook.h"

#include <QFile>
#include <cmath>
#include <xlsxwriter.h>

namespace {
constexpr int kMaxCellText = 32767; // characters an Excel cell holds

// Why the format cannot hold the cell as it is; empty when it can.
QString unfitCell(const SheetCell& cell) {
    if (cell.kind() == SheetCell::Kind::Number) {
        return std::isfinite(cell.number())
                   ? QString()
                   : QStringLiteral("holds %1, which an Excel file cannot hold")
                         .arg(cell.number() > 0   ? QStringLiteral("infinity")
                              : cell.number() < 0 ? QStringLiteral("minus infinity")
                                                  : QStringLiteral("a value that is no number"));
    }
    const QString& text = cell.storedText();
    if (text.size() > kMaxCellText)
        return QStringLiteral("holds more than 32,767 characters, the most an Excel cell holds");
    if (text.contains(QChar(u'\0')))
        return QStringLiteral("holds a NUL character, which an Excel file cannot hold");
    if (!QStringView(text).isValidUtf16())
        return QStringLiteral("holds characters that can not be saved");
    return {};
}

// Adds the page as a worksheet; false with `error` on a cell the format cannot hold or a
// write the library refuses.
bool writePage(lxw_workbook* workbook, const Sheet& page, int index, const QString& pageName,
               QString* error) {
    QByteArray name = pageName.toUtf8();
    if (name.isEmpty() || workbook_validate_sheet_name(workbook, name.constData()) != LXW_NO_ERROR)
        name = QStringLiteral("Page%1").arg(index).toUtf8();
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, name.constData());
    if (!sheet)
        sheet = workbook_add_worksheet(workbook, nullptr); // "PageN" taken by another page
    if (!sheet) {
        *error = QStringLiteral("sheet %1 cannot be added to the file").arg(pageName);
        return false;
    }
    for (int r = 1; r <= page.lastRow(); ++r) {
        const std::vector<SheetCell>& cells = page.rowCells(r);
        for (int c = 1; c <= int(cells.size()); ++c) {
            const SheetCell& cell = cells[size_t(c - 1)];
            if (cell.isEmpty())
                continue;
            const QString unfit = unfitCell(cell);
            const auto where = [&] {
                return QStringLiteral("Cell %1 of sheet %2 ")
                    .arg(SheetLimits::cellName(r, c), pageName);
            };
            if (!unfit.isEmpty()) {
                *error = where() + unfit;
                return false;
            }
            const auto row = lxw_row_t(r - 1);
            const auto col = lxw_col_t(c - 1);
            const lxw_error written =
                cell.kind() == SheetCell::Kind::Number
                    ? worksheet_write_number(sheet, row, col, cell.number(), nullptr)
                    : worksheet_write_string(sheet, row, col,
                                             cell.storedText().toUtf8().constData(), nullptr);
            if (written != LXW_NO_ERROR) {
                *error = where() + QStringLiteral("cannot be written: ") +
                         QString::fromUtf8(lxw_strerror(written));
                return false;
            }
        }
    }
    return true;
}
} // namespace

bool XlsxWorkbookWriter::write(const Workbook& book, const QString& path, QString* error) {
    const QString part = path + QStringLiteral(".part");
    const QByteArray partName = QFile::encodeName(part);
    lxw_workbook* workbook = workbook_new(partName.constData());
    if (!workbook) {
        *error = QStringLiteral("Error in writing file ") + path;
        return false;
    }
    for (int i = 1; i <= book.sheetCount(); ++i) {
        if (!writePage(workbook, *book.sheetAt(i), i, book.sheetName(i), error)) {
            workbook_close(workbook); // frees it; the part written so far goes
            QFile::remove(part);
            return false;
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
