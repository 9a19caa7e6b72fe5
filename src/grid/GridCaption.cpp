#include "grid/GridCaption.h"

QString GridCaption::nameOf(const QString& caption) {
    const qsizetype slash = caption.indexOf(QLatin1Char('/'));
    QString name = slash < 0 ? caption : caption.mid(slash + 1);
    if (name.endsWith(QLatin1Char('>')))
        name.chop(1);
    return name;
}
