#include "filter/FilterNames.h"

QString FilterNames::viewName(const QString& name, const QString& group) {
    return group.isEmpty() ? prefix() + name : prefix() + group + u'_' + name;
}

QString FilterNames::filterName(const QString& view) {
    return isFilterView(view) ? view.mid(prefix().size()) : QString();
}

QString FilterNames::refusal(const QString& name) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("A filter name can not be empty");
    for (const QChar c : name)
        if (c == u'[' || c == u']' || c == u'"' || c == u'.' || c == u'!' || c.unicode() < 32)
            return QStringLiteral("A filter name can not contain [ ] \" . ! or control "
                                  "characters: ") +
                   name;
    return {};
}

QString FilterNames::sanitize(const QString& text, bool replaceSlash) {
    QString out = text.trimmed();
    for (QChar& c : out) {
        const ushort u = c.unicode();
        const bool replace = (u < 47 && u != 37) || (u == 47 && replaceSlash) ||
                             (u >= 58 && u <= 64) || (u >= 91 && u <= 96) || u > 123;
        if (replace)
            c = u'_';
    }
    return out;
}
