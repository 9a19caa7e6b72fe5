#pragma once
// The three well-known folders that configured paths may be relative to, and the prefix rule:
// "@" starts in AppPath, "!" in ZolPath, "+" in UserFolder.
#include <QString>

struct AppPaths {
    QString appPath;    // the program's folder
    QString zolPath;    // the data root
    QString userFolder; // this user's folder

    // A prefixed value gets its base put in front ("!Users" and "!/Users" both give
    // zolPath + "/Users"); a value without prefix is returned as it is, but with "/"
    // separators; an empty result gives the default.
    QString resolve(const QString& value, const QString& defaultValue = {}) const;
};
