#include "platform/UserSettingsStore.h"

#include "platform/IniFile.h"

#include <QStandardPaths>

UserSettingsStore::UserSettingsStore(QString folder)
    : folder_(folder.isEmpty() ? defaultFolder() : std::move(folder)) {}

QString UserSettingsStore::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/QUVData");
}

QString UserSettingsStore::fileFor(const QString& appTitle) const {
    QString name = appTitle;
    name.replace(u'/', u'_').replace(u'\\', u'_');
    return folder_ + u'/' + name + QStringLiteral(".ini");
}

QString UserSettingsStore::value(const QString& appTitle, const QString& section,
                                 const QString& key, const QString& defaultValue) const {
    return IniFile::load(fileFor(appTitle)).value(section, key).value_or(defaultValue);
}

bool UserSettingsStore::setValue(const QString& appTitle, const QString& section,
                                 const QString& key, const QString& value) const {
    const QString path = fileFor(appTitle);
    IniFile ini = IniFile::load(path);
    ini.setValue(section, key, value);
    return ini.save(path);
}
