#include "app/Profile.h"

#include "platform/FilePaths.h"

#include <QFileInfo>

Profile::Profile(QString userProfileFile, Environment environment)
    : userProfileFile_(std::move(userProfileFile))
    , environment_(std::move(environment)) {}

Profile::Environment Profile::systemEnvironment() {
    return [](const QString& name) {
        const QString value = qEnvironmentVariable(name.toLocal8Bit().constData());
        // The shipped initialization file keeps data under the user's data folder, which the
        // freedesktop rules place in ~/.local/share when the variable is not set.
        if (value.isEmpty() && name == QStringLiteral("XDG_DATA_HOME"))
            return qEnvironmentVariable("HOME") + QStringLiteral("/.local/share");
        return value;
    };
}

QString Profile::fileFor(const QString& file) const {
    return file.toUpper() == QStringLiteral("WIN.INI") ? userProfileFile_ : file;
}

const IniFile& Profile::loaded(const QString& path) const {
    const QFileInfo info(FilePaths::normalized(path));
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    const qint64 size = info.exists() ? info.size() : -1;
    CachedFile& cached = cache_[path];
    if (cached.size != size || cached.modified != modified || size < 0) {
        cached.ini = IniFile::load(path);
        cached.modified = modified;
        cached.size = size;
    }
    return cached.ini;
}

QString Profile::readIni(const QString& file, const QString& section, const QString& key) const {
    const QString value = loaded(fileFor(file)).value(section, key).value_or(QString());
    if (value.startsWith(QStringLiteral("SELECT")))
        return value;
    return expandEnvironment(value);
}

QString Profile::expandEnvironment(const QString& value) const {
    QString out;
    qsizetype pos = 0;
    while (true) {
        const qsizetype open = value.indexOf(u'%', pos);
        const qsizetype close = open < 0 ? -1 : value.indexOf(u'%', open + 1);
        if (close < 0) {
            out += value.mid(pos);
            return out;
        }
        out += value.mid(pos, open - pos);
        out += environment_(value.mid(open + 1, close - open - 1));
        pos = close + 1;
    }
}

bool Profile::writeIni(const QString& file, const QString& section, const QString& key,
                       const QString& value) const {
    const QString path = fileFor(file);
    if (path.isEmpty())
        return false;
    IniFile ini = IniFile::load(path);
    ini.setValue(section, key, value);
    cache_.erase(path); // a write within the same second must not be hidden
    return ini.save(path);
}

QString Profile::readSetting(const QString& userFile, const QString& mainFile,
                             const QString& section, const QString& key,
                             const QString& defaultValue) const {
    QString v = readIni(userFile, section, key);
    if (v.isEmpty())
        v = readIni(mainFile, section, key);
    return v.isEmpty() ? defaultValue : v;
}
