#include "db/MapFile.h"
#include "platform/ConnectionTextRedactor.h"

#include "platform/FilePaths.h"
#include "platform/Workbook.h"

#include <QRegularExpression>

namespace {
const QStringList sheetNames{QStringLiteral("TableFields"), QStringLiteral("Indexes"),
                             QStringLiteral("Keys"), QStringLiteral("Links")};

void copyWhole(const Sheet& from, Sheet& to) {
    to.clear();
    from.copyRange(1, 1, from.lastRow(), from.lastColumn(), to, 1, 1);
}

bool saveWorkbook(const Workbook& book, const QString& path, QString* error) {
    const Workbook::SaveResult r = book.save(path);
    if (!r.ok && error)
        *error = r.error;
    return r.ok;
}
} // namespace

QString MapFile::pathFor(const QString& databasePath, bool serverSource,
                         const QString& userFolder) {
    if (!serverSource)
        return FilePaths::replaceExtension(databasePath, QStringLiteral(".ake"));
    // Named after the connection text without its password.
    QString name = ConnectionTextRedactor::redact(databasePath);
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]+")), QStringLiteral("_"));
    return FilePaths::normalized(userFolder) + QStringLiteral("/ini/") + name +
           QStringLiteral(".ake");
}

QString MapFile::linkFilePathFor(const QString& databasePath) {
    return FilePaths::replaceExtension(ConnectionTextRedactor::redact(databasePath),
                                       QStringLiteral(".dbl"));
}

bool MapFile::save(const SchemaCatalogue& c, const QString& path, QString* error) {
    Workbook book;
    const Sheet* lists[] = {&c.tableFields, &c.indexList, &c.keyList, &c.links};
    for (int i = 0; i < 4; ++i)
        copyWhole(*lists[i], book.sheet(sheetNames[i]));
    return saveWorkbook(book, path, error);
}

bool MapFile::load(SchemaCatalogue& c, const QString& path, QString* error) {
    const Workbook::LoadResult r = Workbook::load(path);
    if (!r.ok() || r.workbook->sheetCount() < 4) {
        if (error)
            *error = r.ok() ? QStringLiteral("not a map file: ") + path : r.error;
        return false;
    }
    Sheet* lists[] = {&c.tableFields, &c.indexList, &c.keyList, &c.links};
    for (int i = 0; i < 4; ++i)
        copyWhole(*r.workbook->sheetAt(i + 1), *lists[i]);
    return true;
}

bool MapFile::saveLinks(const Sheet& links, const QString& path, QString* error) {
    Workbook book;
    copyWhole(links, book.sheet(sheetNames[3]));
    return saveWorkbook(book, path, error);
}

bool MapFile::loadLinks(Sheet& links, const QString& path, QString* error) {
    const Workbook::LoadResult r = Workbook::load(path);
    if (!r.ok() || r.workbook->sheetCount() < 1) {
        if (error)
            *error = r.ok() ? QStringLiteral("no links in ") + path : r.error;
        return false;
    }
    copyWhole(*r.workbook->sheetAt(1), links);
    return true;
}
