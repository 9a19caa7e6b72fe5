#include "link/LinkPeer.h"

#include "link/LinkMessage.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSaveFile>

namespace {
constexpr int timeoutMs = 2000;
}

bool LinkPeer::reachable() const {
    if (settings_.server.isEmpty())
        return false;
    if (settings_.linkType == LinkSettings::Files) {
        const QFileInfo folder(settings_.server);
        return folder.isDir() && folder.isWritable();
    }
    QLocalSocket probe;
    probe.connectToServer(settings_.server);
    const bool found = probe.waitForConnected(timeoutMs);
    probe.abort();
    return found;
}

bool LinkPeer::send(const QString& text) {
    if (settings_.server.isEmpty())
        return false;
    if (settings_.linkType == LinkSettings::Files) {
        QSaveFile file(QDir(settings_.server)
                           .filePath(QStringLiteral("selection-%1-%2.qlk")
                                         .arg(QDateTime::currentMSecsSinceEpoch())
                                         .arg(++sent_)));
        return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
    }
    QLocalSocket socket;
    socket.connectToServer(settings_.server);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(LinkMessage::encode(text));
    const bool written = socket.waitForBytesWritten(timeoutMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return written;
}
