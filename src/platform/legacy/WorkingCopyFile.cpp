#include "platform/legacy/WorkingCopyFile.h"

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
