#include "spider/SpiderElementNames.h"

QString SpiderElementNames::label(const QString& fieldName, Style style) {
    if (style == Style::FullName || fieldName.size() <= 1)
        return fieldName;
    const QChar second = fieldName[1];
    if (second.isDigit() || second == u'O' || second == u'_' || second == u'%' || second == u' ')
        return fieldName.left(1);
    return fieldName.left(2);
}
