#include "link/LinkServer.h"

#include "link/LinkMessage.h"

#include <QLocalSocket>
#include <memory>

LinkServer::LinkServer(QObject* parent)
    : QObject(parent) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            auto reader = std::make_shared<LinkMessage>();
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket, reader] {
                for (const QString& text : reader->feed(socket->readAll()))
                    emit contentReceived(text);
                if (reader->broken())
                    socket->abort();
            });
        }
    });
}

bool LinkServer::listen(const QString& name) {
    // Content can run command lines: only this user may connect.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(name))
        return true;
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500)) {
        error_ = QStringLiteral("Another program listens on ") + name;
        return false;
    }
    QLocalServer::removeServer(name);
    if (server_.listen(name))
        return true;
    error_ = server_.errorString();
    return false;
}
