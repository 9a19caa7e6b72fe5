#include "grid/OpenViews.h"

QString OpenViews::add(const QString& name) {
    QString n = name;
    for (int i = 0; i < maxPrefixes && names_.contains(n); ++i)
        n.prepend(QLatin1Char('>'));
    names_ << n;
    return n;
}

void OpenViews::remove(const QString& name) {
    names_.removeOne(name);
}
