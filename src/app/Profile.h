#pragma once
// Reading and writing single initialization values the way the whole program does:
// ReadIni / WriteIni / ReadSetting. Reads of "Win.ini" go to the user profile file.
// Environment references ("%HOME%") in values are expanded, except in stored SELECT texts,
// whose "%" are LIKE wild cards.
#include "platform/IniFile.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <map>

class Profile {
public:
    using Environment = std::function<QString(const QString& name)>;

    // userProfileFile: the file that stands in for the platform user profile.
    explicit Profile(QString userProfileFile, Environment environment = systemEnvironment());

    static Environment systemEnvironment();

    QString readIni(const QString& file, const QString& section, const QString& key) const;
    bool writeIni(const QString& file, const QString& section, const QString& key,
                  const QString& value) const;
    // The user file first, then the main file, then the default.
    QString readSetting(const QString& userFile, const QString& mainFile, const QString& section,
                        const QString& key, const QString& defaultValue) const;

    QString expandEnvironment(const QString& value) const;

private:
    QString fileFor(const QString& file) const;
    // Start-up reads some sixty keys; a file is parsed again only when it changed on disk.
    const IniFile& loaded(const QString& path) const;

    struct CachedFile {
        QDateTime modified;
        qint64 size = -1;
        IniFile ini;
    };
    mutable std::map<QString, CachedFile> cache_;

    QString userProfileFile_;
    Environment environment_;
};
