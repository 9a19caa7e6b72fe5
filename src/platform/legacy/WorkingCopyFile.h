#pragma once
// The file an import writes before it becomes the working copy: <target>.part, removed again
// unless publish() has put it in the target's place, so that a failed import leaves neither a
// half copy nor a stale part behind and the previous copy untouched. Used by the importers, one
// per import.
#include "platform/OpenedConnection.h"

#include <QString>

class WorkingCopyFile {
public:
    explicit WorkingCopyFile(QString target);
    ~WorkingCopyFile();
    WorkingCopyFile(const WorkingCopyFile&) = delete;
    WorkingCopyFile& operator=(const WorkingCopyFile&) = delete;

    const QString& path() const { return part_; }
    // The part opened as a SQLite database for one bulk write: journal and syncing off (a
    // failed import is thrown away whole) and a transaction begun. Error set when it cannot.
    OpenedConnection openForImport() const;
    // Puts the written part in the target's place once it is on disk, by one rename, so that
    // the target is at every moment either the old copy or the whole new one. An existing
    // target is first kept as `backup` (it may hold the person's edits); without a backup
    // name an existing target is not replaced. Empty on success, else why nothing changed.
    QString publish(const QString& backup = {});

private:
    QString target_;
    QString part_;
};
