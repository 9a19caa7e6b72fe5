#include "link/LinkMessage.h"

#include <QtEndian>

QByteArray LinkMessage::encode(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray out(4, '\0');
    qToBigEndian(quint32(utf8.size()), out.data());
    return out + utf8;
}

QStringList LinkMessage::feed(const QByteArray& bytes) {
    QStringList messages;
    if (broken_)
        return messages;
    pending_ += bytes;
    while (pending_.size() >= 4) {
        const quint32 length = qFromBigEndian<quint32>(pending_.constData());
        if (length > maxBytes) {
            broken_ = true;
            pending_.clear();
            break;
        }
        if (pending_.size() < qsizetype(4 + length))
            break;
        messages << QString::fromUtf8(pending_.constData() + 4, qsizetype(length));
        pending_.remove(0, qsizetype(4 + length));
    }
    return messages;
}
