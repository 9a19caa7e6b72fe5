// A small sibling program for the link tests, written only from the documented message format
// (a 4-byte big-endian length, then UTF-8): "send NAME FILE" sends the file's text to the
// program listening on NAME; "receive NAME" listens on NAME, prints the first message it gets
// to stdout and ends. Exit code 0 on success.
#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>
#include <cstdio>

namespace {

int send(const QString& name, const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray text = in.readAll();
    QByteArray length(4, '\0');
    qToBigEndian(quint32(text.size()), length.data());
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(10000))
        return 3;
    socket.write(length + text);
    socket.waitForBytesWritten(10000);
    socket.disconnectFromServer();
    return 0;
}

// Connections that close without a whole message (a probe whether the program is there) are
// passed over.
int receive(const QString& name) {
    QLocalServer::removeServer(name);
    QLocalServer server;
    if (!server.listen(name))
        return 4;
    std::puts("listening");
    std::fflush(stdout);
    while (server.waitForNewConnection(60000)) {
        QLocalSocket* socket = server.nextPendingConnection();
        QByteArray bytes;
        auto whole = [&bytes] {
            return bytes.size() >= 4 &&
                   bytes.size() >= 4 + qsizetype(qFromBigEndian<quint32>(bytes.constData()));
        };
        while (!whole() && (socket->bytesAvailable() > 0 || socket->waitForReadyRead(10000)))
            bytes += socket->readAll();
        if (whole()) {
            std::fwrite(bytes.constData() + 4, 1, size_t(bytes.size() - 4), stdout);
            return 0;
        }
        delete socket;
    }
    return 5;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("send"))
        return send(args[2], args[3]);
    if (args.size() == 3 && args[1] == QLatin1String("receive"))
        return receive(args[2]);
    return 1;
}
