#include "clipdata/ClipDataSheetTools.h"

#include "clipdata/ClipDataSheet.h"
#include "platform/Dialogs.h"
#include "platform/FieldNumber.h"

#include <algorithm>

namespace {
// A piece of text into a cell the way pasted text goes in: numbers as numbers ("007" stays a
// text), "" clears.
void putField(Sheet& sheet, int row, int column, const QString& text) {
    if (const std::optional<double> n = FieldNumber::of(QStringView(text)))
        sheet.setNumber(row, column, *n);
    else
        sheet.setText(row, column, text);
}
} // namespace

Sheet& ClipDataSheetTools::page() {
    return clipData_.activePage();
}

bool ClipDataSheetTools::Parse() {
    const std::optional<QString> separator = dialogs_.input(
        QStringLiteral("ClipData - Parse"), QStringLiteral("Give column separator."), QString());
    if (!separator || separator->isEmpty())
        return false;
    const Answer trim = dialogs_.question(QStringLiteral("Do you want to trim each cell (=delete "
                                                         "leading and ending blancos?"),
                                          QuestionButtons::YesNoCancel);
    if (trim == Answer::Cancel)
        return false;
    Sheet& sheet = page();
    for (int row = 1; row <= sheet.lastRow(); ++row) {
        if (sheet.isEmpty(row, 1))
            continue;
        const QStringList pieces = sheet.text(row, 1).split(*separator);
        for (qsizetype i = 0; i < pieces.size(); ++i)
            putField(sheet, row, int(i) + 1, trim == Answer::Yes ? pieces[i].trimmed() : pieces[i]);
    }
    return true;
}

bool ClipDataSheetTools::NameColumn(int column) {
    Sheet& sheet = page();
    const std::optional<QString> name = dialogs_.input(
        QStringLiteral("ClipData column naming"),
        QStringLiteral("Give name for column %1").arg(column), sheet.text(1, column));
    if (!name)
        return false;
    for (int c = 1; c <= sheet.lastColumn(); ++c)
        if (c != column && !name->isEmpty() &&
            sheet.text(1, c).compare(*name, Qt::CaseInsensitive) == 0) {
            dialogs_.message(MessageKind::Exclamation,
                             QStringLiteral("Column name has to be unique (this name already "
                                            "exists in column %1).")
                                 .arg(c));
            return false;
        }
    return sheet.setText(1, column, *name);
}

bool ClipDataSheetTools::transferHeaderRow(int row) {
    Sheet& sheet = page();
    if (row == 1)
        return true;
    if (row < 1 || row > sheet.lastRow())
        return false;
    const int columns = std::max(1, sheet.lastColumn());
    sheet.copyRange(row, 1, row, columns, sheet, 1, 1);
    return sheet.deleteRows(row);
}

bool ClipDataSheetTools::TransferHeaderRow() {
    const std::optional<QString> answer = dialogs_.input(
        Dialogs::title(),
        QStringLiteral("Give the number of the row to be transferred to Column Header."),
        QString());
    bool isNumber = false;
    const int row = answer ? answer->trimmed().toInt(&isNumber) : 0;
    return isNumber && transferHeaderRow(row);
}

bool ClipDataSheetTools::AppendToHeaderRow() {
    const std::optional<QString> answer = dialogs_.input(
        Dialogs::title(),
        QStringLiteral("Give the number of the the row to be added to column header text (If "
                       "you give string, then this string is added to header text)."),
        QStringLiteral("0"));
    if (!answer || answer->isEmpty())
        return false;
    Sheet& sheet = page();
    bool isNumber = false;
    const int row = answer->trimmed().toInt(&isNumber);
    if (isNumber && (row < 1 || row > sheet.lastRow()))
        return false;
    for (int c = 1; c <= sheet.lastColumn(); ++c)
        sheet.setText(1, c, sheet.text(1, c) + (isNumber ? sheet.text(row, c) : *answer));
    return true;
}

void ClipDataSheetTools::CreateIdColumn() {
    Sheet& sheet = page();
    const int last = sheet.lastRow();
    sheet.insertColumns(1);
    sheet.setText(1, 1, QStringLiteral("ID"));
    for (int row = 2; row <= last; ++row)
        sheet.setNumber(row, 1, row - 1);
}

bool ClipDataSheetTools::overwriteConfirmed() {
    return dialogs_.question(QStringLiteral("Are you sure to overwrite the content of the cells?"),
                             QuestionButtons::YesNo) == Answer::Yes;
}

bool ClipDataSheetTools::CopyDown(int row1, int column1, int row2, int column2) {
    const int top = std::min(row1, row2);
    const int bottom = std::max(row1, row2);
    if (!overwriteConfirmed())
        return false;
    Sheet& sheet = page();
    for (int row = top + 1; row <= bottom; ++row)
        sheet.copyRange(top, column1, top, column2, sheet, row, std::min(column1, column2));
    return true;
}

bool ClipDataSheetTools::CopyRight(int row1, int column1, int row2, int column2) {
    const int left = std::min(column1, column2);
    const int right = std::max(column1, column2);
    if (!overwriteConfirmed())
        return false;
    Sheet& sheet = page();
    for (int column = left + 1; column <= right; ++column)
        sheet.copyRange(row1, left, row2, left, sheet, std::min(row1, row2), column);
    return true;
}

bool ClipDataSheetTools::Zoom() {
    const std::optional<QString> answer =
        dialogs_.input(QStringLiteral("Zoom ClipData"),
                       QStringLiteral("Give zoom scale (integer between 10 and 400, 100=normal)."),
                       QString::number(zoom_));
    bool isNumber = false;
    const int value = answer ? answer->trimmed().toInt(&isNumber) : 0;
    if (!isNumber || value < minZoom || value > maxZoom)
        return false;
    zoom_ = value;
    return true;
}
