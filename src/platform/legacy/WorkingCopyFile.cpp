#include "platform/legacy/WorkingCopyFile.h"

#include "platform/sqlite/SqliteConnection.h"

#include <QFile>

WorkingCopyFile::WorkingCopyFile(QString target)
    : target_(std::move(target))
    , part_(target_ + QStringLiteral(".part")) {
    QFile::remove(part_);
}

WorkingCopyFile::~WorkingCopyFile() {
    QFile::remove(part_);
}

bool WorkingCopyFile::publish() {
    if (QFile::exists(target_) && !QFile::remove(target_))
        return false;
    return QFile::rename(part_, target_);
}

OpenedConnection WorkingCopyFile::openForImport() const {
    OpenedConnection opened =
        SqliteConnection::open(part_, SqliteConnection::Mode::ReadWriteCreate);
    if (!opened.ok())
        return opened;
    auto& db = static_cast<SqliteConnection&>(*opened.connection);
    db.executeNative(QStringLiteral("PRAGMA journal_mode = OFF"));
    db.executeNative(QStringLiteral("PRAGMA synchronous = OFF"));
    if (!db.beginTransaction()) {
        OpenedConnection failed;
        failed.error =
            QStringLiteral("Cannot write ") + part_ + QStringLiteral(": ") + db.lastError();
        return failed;
    }
    return opened;
}
