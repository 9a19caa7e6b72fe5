#include "platform/FilePaths.h"

#include <QDir>
#include <QFileInfo>

namespace FilePaths {

QString normalized(const QString& path) {
    QString p = path;
    p.replace(u'\\', u'/');
    return p;
}

bool endsWithSeparator(const QString& path) {
    return path.endsWith(u'/') || path.endsWith(u'\\');
}

bool startsWithSeparator(const QString& path) {
    return path.startsWith(u'/') || path.startsWith(u'\\');
}

QString replaceExtension(const QString& path, const QString& newExtension) {
    const QString p = normalized(path);
    const qsizetype slash = p.lastIndexOf(u'/');
    const qsizetype dot = p.lastIndexOf(u'.');
    const QString stem = dot > slash + 1 ? p.left(dot) : p;
    return stem + newExtension;
}

bool ensureFolder(const QString& path, bool create) {
    const QString p = normalized(path);
    if (p.isEmpty())
        return false;
    // A leading "//" names a network share: the share counts as one level.
    QString built = p.startsWith(QStringLiteral("//")) ? QStringLiteral("//")
                    : p.startsWith(u'/')               ? QStringLiteral("/")
                                                       : QString();
    const QStringList parts = p.split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        built += part;
        if (!QFileInfo(built).isDir()) {
            if (!create || !QDir().mkdir(built))
                return false;
        }
        built += u'/';
    }
    return true;
}

} // namespace FilePaths
