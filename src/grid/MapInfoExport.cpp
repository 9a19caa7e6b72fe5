#include "grid/MapInfoExport.h"

#include "platform/Dialogs.h"
#include "platform/NumberText.h"

#include <QFile>
#include <xlsxwriter.h>

MapInfoExport::MapInfoExport(Dialogs& dialogs)
    : dialogs_(dialogs) {}

bool MapInfoExport::run(const RowSet& rows, const QString& gridName, const QString& userFolder) {
    const auto nullText = dialogs_.input(
        QStringLiteral("Null field are problematic in Mapinfo, because MapInfo replaces them "
                       "with zero\r\nGive other character for nulls"),
        QStringLiteral("-999"));
    if (!nullText)
        return false;
    const auto path =
        dialogs_.saveFile(QStringLiteral("Export to Mapinfo"),
                          QStringLiteral("Microsoft Excel files (*.xlsx)|*.xlsx"),
                          userFolder + QLatin1Char('/') + gridName + QStringLiteral(".xlsx"));
    if (!path || path->isEmpty())
        return false;
    QString error;
    if (write(rows, *nullText, *path, &error))
        return true;
    dialogs_.message(MessageKind::Exclamation, error);
    return false;
}

bool MapInfoExport::write(const RowSet& rows, const QString& nullText, const QString& path,
                          QString* error) {
    // Written beside the target and renamed, so a failed export leaves no half file.
    const QString part = path + QStringLiteral(".part");
    const QByteArray partName = QFile::encodeName(part);
    lxw_workbook* workbook = workbook_new(partName.constData());
    if (!workbook) {
        *error = QStringLiteral("Error in writing file ") + path;
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    const auto put = [sheet](lxw_row_t r, lxw_col_t c, const QString& text) {
        if (const auto n = NumberText::fromText(QStringView(text)))
            worksheet_write_number(sheet, r, c, *n, nullptr);
        else if (!text.isEmpty())
            worksheet_write_string(sheet, r, c, text.toUtf8().constData(), nullptr);
    };
    for (int c = 0; c < rows.columnCount(); ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), rows.columnNames()[c].toUtf8().constData(),
                               nullptr);
    for (qsizetype r = 0; r < rows.rowCount(); ++r)
        for (int c = 0; c < rows.columnCount(); ++c) {
            const CellValue& v = rows.at(r, c);
            const auto row = lxw_row_t(r + 1);
            if (v.isMissing())
                put(row, lxw_col_t(c), nullText);
            else if (v.kind() == CellValue::Kind::Number)
                worksheet_write_number(sheet, row, lxw_col_t(c), *v.toNumber(), nullptr);
            else
                worksheet_write_string(sheet, row, lxw_col_t(c), v.toText().toUtf8().constData(),
                                       nullptr);
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
