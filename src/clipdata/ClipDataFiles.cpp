#include "clipdata/ClipDataFiles.h"

#include "app/RecentFiles.h"
#include "clipdata/ClipDataSheet.h"
#include "clipdata/ClipDataTextFile.h"
#include "platform/BoundedFile.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"
#include "platform/XlsWorkbookReader.h"
#include "platform/XlsxWorkbookReader.h"
#include "platform/XlsxWorkbookWriter.h"

#include <QFileInfo>

namespace {
const QString section = QStringLiteral("ClipData");

enum class Format { Tab, Csv, Workbook, Xls, Xlsx };

Format formatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv"))
        return Format::Csv;
    if (suffix == QLatin1String("qwb"))
        return Format::Workbook;
    if (suffix == QLatin1String("xls"))
        return Format::Xls;
    if (suffix == QLatin1String("xlsx"))
        return Format::Xlsx;
    return Format::Tab;
}

// The files that hold every page of a workbook.
std::optional<Workbook> readWorkbook(Format format, const QString& path, QString* error) {
    if ((format == Format::Xls || format == Format::Xlsx) && !BoundedFile::check(path, error))
        return std::nullopt;
    if (format == Format::Xls)
        return XlsWorkbookReader::read(path, error);
    if (format == Format::Xlsx)
        return XlsxWorkbookReader::read(path, error);
    Workbook::LoadResult loaded = Workbook::load(path);
    *error = loaded.error;
    return std::move(loaded.workbook);
}

ClipDataTextFile::Separator separatorOf(Format format) {
    return format == Format::Csv ? ClipDataTextFile::Separator::Comma
                                 : ClipDataTextFile::Separator::Tab;
}
} // namespace

bool ClipDataFiles::failed(const QString& what, const QString& path, const QString& why) {
    dialogs_.message(MessageKind::Exclamation,
                     QStringLiteral("Could not %1 %2: %3").arg(what, path, why));
    return false;
}

bool ClipDataFiles::openPath(const QString& path) {
    QString error;
    const Format format = formatOf(path);
    if (format == Format::Workbook || format == Format::Xls || format == Format::Xlsx) {
        std::optional<Workbook> workbook = readWorkbook(format, path, &error);
        if (!workbook)
            return failed(QStringLiteral("open"), path, error);
        clipData_.replaceWorkbook(std::move(*workbook));
    } else {
        ClipDataTextFile::Loaded loaded = ClipDataTextFile::read(path, separatorOf(format));
        if (!loaded.page)
            return failed(QStringLiteral("open"), path, loaded.error);
        clipData_.activePage() = std::move(*loaded.page);
        if (loaded.windows1252)
            status_.showStatus(path + QStringLiteral(" is not UTF-8 text; it was read as "
                                                     "Windows-1252 (Western European)"),
                               1);
    }
    RecentFiles(lastFilesIni_).add(path, section);
    return true;
}

bool ClipDataFiles::savePath(const QString& path) {
    QString error;
    const Format format = formatOf(path);
    if (format == Format::Workbook) {
        const Workbook::SaveResult saved = clipData_.workbook().save(path);
        return saved.ok || failed(QStringLiteral("save"), path, saved.error);
    }
    if (format == Format::Xls)
        return failed(QStringLiteral("save"), path,
                      QStringLiteral("Excel 97 files are only read; save as .xlsx to keep all "
                                     "pages"));
    if (format == Format::Xlsx)
        return XlsxWorkbookWriter::write(clipData_.workbook(), path, &error) ||
               failed(QStringLiteral("save"), path, error);
    return ClipDataTextFile::write(clipData_.activePage(), path, separatorOf(format), &error) ||
           failed(QStringLiteral("save"), path, error);
}

bool ClipDataFiles::Open() {
    const std::optional<QString> path =
        dialogs_.openFile(QStringLiteral("Open"), openFilter(), QString());
    return path && openPath(*path);
}

bool ClipDataFiles::Save() {
    const std::optional<QString> path =
        dialogs_.saveFile(QStringLiteral("Save"), saveFilter(), QString());
    if (!path)
        return false;
    const Format format = formatOf(*path);
    if (format != Format::Workbook && format != Format::Xlsx && format != Format::Xls &&
        dialogs_.question(QStringLiteral("This will save only the active worksheet. Save as xls "
                                         "or vts if you want to save all worksheets\r\n"
                                         "Continue anyway?"),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    return savePath(*path);
}

bool ClipDataFiles::Reopen() {
    const QString last = RecentFiles(lastFilesIni_).entries(section).value(0);
    if (last.isEmpty()) {
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("No file existing in the last-opened memory. Prompting "
                                        "to open file."));
        return Open();
    }
    if (dialogs_.question(QStringLiteral("Are you sure to overwrite current ClipData with the "
                                         "content of a file ") +
                              last + QStringLiteral(" ?"),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    return openPath(last);
}

bool ClipDataFiles::New() {
    if (dialogs_.question(QStringLiteral("Are you sure to clear the whole worksheet (all pages)?"),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    clipData_.clearAll();
    return true;
}
