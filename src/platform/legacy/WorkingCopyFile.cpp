#include "platform/legacy/WorkingCopyFile.h"

#include "platform/sqlite/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString reason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Flushes a file or a folder (the names in it) to the disk.
bool syncToDisk(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// The old copy under a second name: a hard link keeps the very file (and any connection still
// open on it) without copying; where links are not possible, a copy.
bool keepAs(const QString& copy, const QString& backup) {
    const QByteArray from = QFile::encodeName(copy), to = QFile::encodeName(backup);
    if (::link(from.constData(), to.constData()) == 0)
        return true;
    return QFile::copy(copy, backup) && syncToDisk(backup);
}

// Rolls back what a crash left half-written in the old copy (its journal would otherwise be
// applied to the new file that takes its name).
void settle(const QString& copy) {
    if (QFileInfo::exists(copy + QStringLiteral("-journal")) ||
        QFileInfo::exists(copy + QStringLiteral("-wal")))
        SqliteConnection::open(copy, SqliteConnection::Mode::ReadWrite);
}

} // namespace

WorkingCopyFile::WorkingCopyFile(QString target)
    : target_(std::move(target))
    , part_(target_ + QStringLiteral(".part")) {
    QFile::remove(part_);
}

WorkingCopyFile::~WorkingCopyFile() {
    QFile::remove(part_);
}

QString WorkingCopyFile::publish(const QString& backup) {
    const QString folder = QFileInfo(target_).absolutePath();
    if (!syncToDisk(part_))
        return QStringLiteral("Cannot write ") + part_ + QStringLiteral(": ") + reason();
    if (QFileInfo::exists(target_)) {
        if (backup.isEmpty())
            return QStringLiteral("The working copy ") + target_ +
                   QStringLiteral(" exists and has no backup; it was not replaced");
        if (QFileInfo::exists(backup))
            return QStringLiteral("The backup ") + backup + QStringLiteral(" exists already");
        settle(target_);
        if (!keepAs(target_, backup))
            return QStringLiteral("Cannot keep the working copy as ") + backup +
                   QStringLiteral(": ") + reason();
    }
    if (std::rename(QFile::encodeName(part_).constData(), QFile::encodeName(target_).constData()) !=
        0)
        return QStringLiteral("Cannot write ") + target_ + QStringLiteral(": ") + reason();
    syncToDisk(folder);
    return {};
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
