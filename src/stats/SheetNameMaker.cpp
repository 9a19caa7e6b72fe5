#include "stats/SheetNameMaker.h"

QString SheetNameMaker::make(const QString& classValue) {
    QString base;
    for (QChar c : classValue.trimmed())
        base += QStringLiteral("/\\?*[]:").contains(c) || c.category() == QChar::Other_Control
                    ? QLatin1Char('_')
                    : c;
    if (base.isEmpty())
        base = QStringLiteral("(empty)");
    base.truncate(maxLength);
    QString name = base;
    for (int n = 2; used_.contains(name.toCaseFolded()); ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        name = base.left(maxLength - int(suffix.size())) + suffix;
    }
    used_.insert(name.toCaseFolded());
    return name;
}
