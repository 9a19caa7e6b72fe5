#include "link/LinkDropFolder.h"

#include "link/LinkMessage.h"

#include <QDir>
#include <QFile>

LinkDropFolder::LinkDropFolder(QObject* parent)
    : QObject(parent) {
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { collect(); });
}

bool LinkDropFolder::watch(const QString& folder) {
    if (!QDir().mkpath(folder))
        return false;
    if (!folder_.isEmpty())
        watcher_.removePath(folder_);
    folder_ = folder;
    return watcher_.addPath(folder);
}

void LinkDropFolder::collect() {
    if (folder_.isEmpty())
        return;
    const QDir dir(folder_);
    for (const QString& name :
         dir.entryList({QStringLiteral("*.qlk")}, QDir::Files | QDir::Readable, QDir::Name)) {
        const QString path = dir.filePath(name);
        const std::optional<QString> text = read(path);
        QFile::remove(path);
        if (text)
            emit contentReceived(*text);
    }
}

std::optional<QString> LinkDropFolder::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > qint64(LinkMessage::maxBytes))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}
