#pragma once
// Link content on the local socket: each message is a 4-byte unsigned length in network byte
// order followed by that many bytes of UTF-8 text. A reader collects the bytes a socket delivers
// and hands out whole messages; a length above maxBytes marks the stream as broken (the peer
// is then dropped) instead of waiting for, or allocating, that much.
#include <QByteArray>
#include <QString>
#include <QStringList>

class LinkMessage {
public:
    static constexpr quint32 maxBytes = 4u * 1024u * 1024u;

    static QByteArray encode(const QString& text);

    // Takes bytes as they arrive; returns the messages they complete.
    QStringList feed(const QByteArray& bytes);
    bool broken() const { return broken_; }

private:
    QByteArray pending_;
    bool broken_ = false;
};
