#include "platform/XlsWorkbookReader.h"

#include "platform/SheetLimits.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <freexl.h>

namespace {
QString reasonOf(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("the file does not exist or cannot be read");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("not enough memory");
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return QStringLiteral("not an Excel 97 workbook");
    default:
        return QStringLiteral("the workbook is damaged (FreeXL error %1)").arg(code);
    }
}

// A worksheet name not yet in `book`.
QString uniqueName(const Workbook& book, const QString& name) {
    QString unique = name;
    for (int n = 2; book.hasSheet(unique); ++n)
        unique = QStringLiteral("%1 (%2)").arg(name).arg(n);
    return unique;
}

bool readCell(const void* handle, unsigned row, unsigned short column, Sheet& page) {
    FreeXL_CellValue value;
    if (freexl_get_cell_value(handle, row, column, &value) != FREEXL_OK)
        return false;
    const int r = int(row) + 1;
    const int c = int(column) + 1;
    switch (value.type) {
    case FREEXL_CELL_INT:
        return page.setNumber(r, c, value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return page.setNumber(r, c, value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        const QString text = QString::fromUtf8(value.value.text_value);
        return text.isEmpty() || page.setText(r, c, text);
    }
    default:
        return true; // an empty cell
    }
}
} // namespace

std::optional<Workbook> XlsWorkbookReader::read(const QString& path, QString* error,
                                                std::optional<IsolatedRun::Seconds> limit) {
    // The child hands over 'W' and the workbook text, or 'E' and the reason.
    const IsolatedRun isolated(limit.value_or(IsolatedRun::limitFor(QFileInfo(path).size())));
    const IsolatedRun::Outcome outcome = isolated.run([&path] {
        QString reason;
        const std::optional<Workbook> book = readInProcess(path, &reason);
        return book ? 'W' + book->toUtf8() : 'E' + reason.toUtf8();
    });
    if (!outcome.ok()) {
        *error = isolated.errorText(outcome, QStringLiteral("Excel reader"), path);
        return std::nullopt;
    }
    const QByteArray& output = *outcome.output;
    if (output.startsWith('E')) {
        *error = QString::fromUtf8(output.mid(1));
        return std::nullopt;
    }
    Workbook::LoadResult handed;
    if (output.startsWith('W'))
        handed = Workbook::parseUtf8(QByteArrayView(output).sliced(1));
    if (!handed.ok()) {
        *error = QStringLiteral("the Excel reader handed over an unreadable workbook (%1)")
                     .arg(handed.error);
        return std::nullopt;
    }
    return std::move(handed.workbook);
}

std::optional<Workbook> XlsWorkbookReader::readInProcess(const QString& path, QString* error) {
    const void* handle = nullptr;
    const int opened = freexl_open(QFile::encodeName(path).constData(), &handle);
    const auto closer = qScopeGuard([&] {
        if (handle)
            freexl_close(handle);
    });
    if (opened != FREEXL_OK) {
        *error = reasonOf(opened);
        return std::nullopt;
    }
    unsigned int info = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED) {
        *error = QStringLiteral("the workbook is protected by a password");
        return std::nullopt;
    }
    unsigned int sheets = 0;
    if (const int rc = freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets); rc != FREEXL_OK) {
        *error = reasonOf(rc);
        return std::nullopt;
    }
    Workbook book;
    for (unsigned int i = 0; i < sheets; ++i) {
        const char* utf8Name = nullptr;
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (const int rc =
                freexl_get_worksheet_name(handle, static_cast<unsigned short>(i), &utf8Name);
            rc != FREEXL_OK) {
            *error = reasonOf(rc);
            return std::nullopt;
        }
        const QString name = uniqueName(book, QString::fromUtf8(utf8Name));
        int rc = freexl_select_active_worksheet(handle, static_cast<unsigned short>(i));
        if (rc == FREEXL_OK)
            rc = freexl_worksheet_dimensions(handle, &rows, &columns);
        if (rc != FREEXL_OK) {
            *error = reasonOf(rc);
            return std::nullopt;
        }
        if (rows > unsigned(Sheet::maxRows) || columns > Sheet::maxColumns) {
            *error = QStringLiteral("worksheet %1 has more rows or columns than a page holds (%2)")
                         .arg(name, SheetLimits::text());
            return std::nullopt;
        }
        Sheet& page = book.sheet(name);
        for (unsigned int r = 0; r < rows; ++r)
            for (unsigned short c = 0; c < columns; ++c)
                if (!readCell(handle, r, c, page)) {
                    *error = QStringLiteral("row %1, column %2 of worksheet %3 cannot be read")
                                 .arg(r + 1)
                                 .arg(c + 1)
                                 .arg(name);
                    return std::nullopt;
                }
    }
    return book;
}
