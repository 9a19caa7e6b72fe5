#include "diagram/StyleDefaults.h"

#include "figure/StyleFile.h"

#include <QFileInfo>

namespace {

// The user's own file first, then the program's.
QString firstExisting(const QStringList& folders, const QString& name) {
    for (const QString& folder : folders)
        if (!folder.isEmpty() && QFileInfo::exists(folder + QLatin1Char('/') + name))
            return folder + QLatin1Char('/') + name;
    return {};
}

} // namespace

StyleDefaults StyleDefaults::load(const QString& userFolder, const QString& programFolder) {
    StyleDefaults d;
    d.userIniFolder = userFolder + QStringLiteral("/ini");
    const QStringList folders{d.userIniFolder, programFolder + QStringLiteral("/ini")};
    if (const QString path = firstExisting(folders, xyFile()); !path.isEmpty())
        d.xy = StyleFile::loadTable(path).value_or(StyleTable{});
    if (const QString path = firstExisting(folders, spiderFile()); !path.isEmpty())
        d.spider = StyleFile::loadTable(path).value_or(StyleTable{});
    if (const QString path = firstExisting(folders, libraryFile()); !path.isEmpty())
        d.library = StyleFile::loadLibrary(path).value_or(StyleLibrary{});
    return d;
}
