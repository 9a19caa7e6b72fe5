#pragma once
// The file an import writes before it becomes the working copy: <target>.part, removed again
// unless publish() has put it in the target's place, so that a failed import leaves neither a
// half copy nor a stale part behind. Used by the importers, one per import.
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
    // Replaces the target by the written part; false (and the target untouched) when it cannot.
    bool publish();

private:
    QString target_;
    QString part_;
};
