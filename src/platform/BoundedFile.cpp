#include "platform/BoundedFile.h"

#include <QFile>
#include <QFileInfo>

namespace {
// The file open for reading and fit to be read whole; the reason in `why` otherwise.
bool openChecked(QFile& file, QString* why) {
    if (!file.open(QIODevice::ReadOnly)) {
        *why = file.errorString();
        return false;
    }
    const QFileInfo info(file.fileName());
    if (!info.isFile()) { // a device or a pipe may never end
        *why = QStringLiteral("it is not a regular file");
        return false;
    }
    if (info.size() > BoundedFile::maxBytes) {
        *why = BoundedFile::tooLargeText();
        return false;
    }
    return true;
}
} // namespace

QString BoundedFile::tooLargeText() {
    return QStringLiteral("it is larger than %1, the most the program reads from one file")
        .arg(maxText());
}

bool BoundedFile::check(const QString& path, QString* why) {
    QFile file(path);
    return openChecked(file, why);
}

std::optional<QByteArray> BoundedFile::readAll(const QString& path, QString* why) {
    QFile file(path);
    if (!openChecked(file, why))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *why = file.errorString();
        return std::nullopt;
    }
    if (bytes.size() > maxBytes) { // it grew while it was read

        *why = tooLargeText();
        return std::nullopt;
    }
    return bytes;
}
