#pragma once
// The per-user settings store: values keyed by application title, section and key, kept in one
// INI file per application title under the XDG config folder (~/.config/QUVData/<title>.ini).
// The store of the title "QUV Data" also stands in for the platform user profile ("Win.ini").
#include <QString>

class UserSettingsStore {
public:
    // folder: where the files live; empty means the XDG config folder + "/QUVData".
    explicit UserSettingsStore(QString folder = {});

    static QString defaultFolder();
    QString folder() const { return folder_; }
    QString fileFor(const QString& appTitle) const;
    // The file that answers reads of the platform user profile.
    QString userProfileFile() const { return fileFor(QStringLiteral("QUV Data")); }

    QString value(const QString& appTitle, const QString& section, const QString& key,
                  const QString& defaultValue = {}) const;
    bool setValue(const QString& appTitle, const QString& section, const QString& key,
                  const QString& value) const;

private:
    QString folder_;
};
