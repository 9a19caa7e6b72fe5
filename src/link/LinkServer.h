#pragma once
// Where sibling programs send link content: a per-user local socket. Each connection may carry
// any number of length-prefixed messages (LinkMessage); a connection that sends a broken
// length is closed. A socket file left by a crashed run is taken over.
#include <QLocalServer>
#include <QObject>

class LinkServer : public QObject {
    Q_OBJECT
public:
    explicit LinkServer(QObject* parent = nullptr);

    // False (with the reason in error()) when the name is taken by a running program.
    bool listen(const QString& name);
    QString error() const { return error_; }
    QString fullName() const { return server_.fullServerName(); }

signals:
    void contentReceived(const QString& text);

private:
    QLocalServer server_;
    QString error_;
};
