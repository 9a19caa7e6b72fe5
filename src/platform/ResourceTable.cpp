#include "platform/ResourceTable.h"

#include <QFile>

std::vector<QStringList> ResourceTable::lines(const QString& resource) {
    std::vector<QStringList> lines;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).remove(u'\r');
        if (!line.trimmed().isEmpty() && !line.startsWith(u'#'))
            lines.push_back(line.split(u'\t'));
    }
    return lines;
}
