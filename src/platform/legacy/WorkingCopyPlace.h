#pragma once
// Where the SQLite working copy of a legacy source (a Jet file, a dBase folder) lives, and whether
// it is still current. The copy lies beside the source; when that folder cannot be written (a CD,
// a shared archive) it goes to the user's cache under a name made unique by the source's path.
// Used by the importers.
#include <QFileInfo>
#include <QString>

class WorkingCopyPlace {
public:
    // `source` is a file or a folder; the copy is named <base><suffix>.
    static QString beside(const QFileInfo& source, const QString& base, const QString& suffix);
    // beside(), or <cache>/QUVData/<cacheFolder>/<base>-<key><suffix> when beside() is not
    // writable.
    static QString choose(const QFileInfo& source, const QString& base, const QString& suffix,
                          const QString& cacheFolder);
    // True when `copy` exists and was written after every one of `sources` last changed.
    static bool isCurrent(const QString& copy, const QFileInfoList& sources);
    // Where an existing copy is kept when it is replaced: <copy>.bak, or <copy>.2.bak, ... when
    // an earlier backup holds that name, so that no backup is ever overwritten.
    static QString backupFor(const QString& copy);
};
