#include "app/AppPaths.h"

#include "platform/FilePaths.h"

QString AppPaths::resolve(const QString& value, const QString& defaultValue) const {
    QString result = FilePaths::normalized(value);
    if (!value.isEmpty()) {
        const QChar prefix = value.front();
        const QString* base = prefix == u'@'   ? &appPath
                              : prefix == u'!' ? &zolPath
                              : prefix == u'+' ? &userFolder
                                               : nullptr;
        if (base) {
            QString rest = value.mid(1);
            if (!FilePaths::startsWithSeparator(rest))
                rest.prepend(u'/');
            result = FilePaths::normalized(*base + rest);
        }
    }
    return result.isEmpty() ? defaultValue : result;
}
