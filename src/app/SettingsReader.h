#pragma once
// Reads every start-up setting from the main and the user initialization file into AppSettings,
// works out the user name and the user folder, and makes sure the user's folders exist.
#include "app/AppSettings.h"
#include "app/Profile.h"

#include <functional>

class SettingsReader {
public:
    using StatusSink = std::function<void(const QString&)>;

    SettingsReader(const Profile& profile, StatusSink status);

    // settings must carry paths.appPath, iniFile and loginName; userName is kept when
    // readUserName is false.
    void read(AppSettings& settings, bool readUserName, bool readStartSessionDatabase) const;

    static QString systemLoginName();

private:
    QString main(const AppSettings& s, const QString& section, const QString& key) const;
    QString setting(const AppSettings& s, const QString& section, const QString& key,
                    const QString& defaultValue = {}) const;
    QString resolvedSetting(const AppSettings& s, const QString& section, const QString& key,
                            const QString& defaultValue = {}) const;
    ResultsDatabase results(const AppSettings& s, const QString& prefix,
                            bool resolveDatabase) const;
    void readUserFolder(AppSettings& s) const;
    void ensureUserFolders(const AppSettings& s) const;

    const Profile& profile_;
    StatusSink status_;
};
