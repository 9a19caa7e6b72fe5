#include "platform/legacy/WorkingCopyPlace.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

QString WorkingCopyPlace::beside(const QFileInfo& source, const QString& base,
                                 const QString& suffix) {
    return source.dir().filePath(base + suffix);
}

QString WorkingCopyPlace::choose(const QFileInfo& source, const QString& base,
                                 const QString& suffix, const QString& cacheFolder) {
    if (QFileInfo(source.absolutePath()).isWritable())
        return beside(source, base, suffix);
    const QByteArray key =
        QCryptographicHash::hash(source.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                          QStringLiteral("/QUVData/") + cacheFolder;
    QDir().mkpath(cache);
    return cache + QLatin1Char('/') + base + QLatin1Char('-') + QString::fromLatin1(key) + suffix;
}

bool WorkingCopyPlace::isCurrent(const QString& copy, const QFileInfoList& sources) {
    const QFileInfo existing(copy);
    if (!existing.isFile())
        return false;
    for (const QFileInfo& source : sources)
        if (!(existing.lastModified() > source.lastModified()))
            return false;
    return true;
}

QString WorkingCopyPlace::backupFor(const QString& copy) {
    QString backup = copy + QStringLiteral(".bak");
    for (int n = 2; QFileInfo::exists(backup); ++n)
        backup = copy + QStringLiteral(".%1.bak").arg(n);
    return backup;
}
