#include "grid/MapInfoExport.h"

#include "platform/Dialogs.h"
#include "platform/NumberText.h"
#include "platform/Workbook.h"
#include "platform/XlsxWorkbookWriter.h"

MapInfoExport::MapInfoExport(Dialogs& dialogs)
    : dialogs_(dialogs) {}

bool MapInfoExport::run(const RowSet& rows, const QString& gridName, const QString& userFolder) {
    const auto nullText = dialogs_.input(
        QStringLiteral("Export to Mapinfo"),
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
    Workbook book;
    Sheet& sheet = book.sheet(QStringLiteral("MapInfo"));
    for (int c = 0; c < rows.columnCount(); ++c)
        sheet.setText(1, c + 1, rows.columnNames()[c]);
    const auto nullNumber = NumberText::fromText(QStringView(nullText));
    for (qsizetype r = 0; r < rows.rowCount(); ++r)
        for (int c = 0; c < rows.columnCount(); ++c) {
            const CellValue& v = rows.at(r, c);
            const int row = int(r) + 2;
            if (v.isMissing() && nullNumber)
                sheet.setNumber(row, c + 1, *nullNumber);
            else if (v.isMissing() && !nullText.isEmpty())
                sheet.setText(row, c + 1, nullText);
            else if (v.kind() == CellValue::Kind::Number)
                sheet.setNumber(row, c + 1, *v.toNumber());
            else if (!v.isMissing())
                sheet.setText(row, c + 1, v.toText());
        }
    return XlsxWorkbookWriter::write(book, path, error);
}
