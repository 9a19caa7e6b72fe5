#include "app/RecentDatabaseDisplay.h"

QString RecentDatabaseDisplay::shortened(const QString& path) {
    constexpr qsizetype fewerThan = 20;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path.at(i);
        if ((c == QLatin1Char('\\') || c == QLatin1Char('/')) && path.size() - i - 1 < fewerThan)
            return QStringLiteral("...") + path.mid(i);
    }
    return QStringLiteral("...") + path;
}
