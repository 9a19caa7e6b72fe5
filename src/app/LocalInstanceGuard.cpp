#include "app/LocalInstanceGuard.h"

#include <QLocalSocket>
#include <unistd.h>

namespace {
constexpr int timeoutMs = 500;
const QByteArray activate = QByteArrayLiteral("ACTIVATE\n");
} // namespace

LocalInstanceGuard::LocalInstanceGuard(QString name, QObject* parent)
    : QObject(parent)
    , name_(name.isEmpty() ? QStringLiteral("QUVData-%1").arg(getuid()) : std::move(name)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->canReadLine() && socket->readLine() == activate)
                    emit activationRequested();
            });
        }
    });
}

bool LocalInstanceGuard::otherInstanceRunning() {
    QLocalSocket probe;
    probe.connectToServer(name_);
    const bool running = probe.waitForConnected(timeoutMs);
    probe.abort();
    return running;
}

void LocalInstanceGuard::activateOtherInstance() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs))
        return;
    socket.write(activate);
    socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
}

bool LocalInstanceGuard::listen() {
    if (server_.listen(name_))
        return true;
    // A socket file left by a crashed instance answers nobody: take it over.
    if (otherInstanceRunning())
        return false;
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}
