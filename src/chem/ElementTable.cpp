#include "chem/ElementTable.h"

#include <QFile>

namespace {
// Data lines of a built-in tab-separated file: comments (#) and blank lines left out.
QList<QStringList> dataLines(const QString& resource) {
    QFile file(resource);
    QList<QStringList> lines;
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')))
            lines << trimmed.split(QLatin1Char('\t'));
    }
    return lines;
}
} // namespace

ElementTable::ElementTable() {
    for (const QStringList& cells : dataLines(QStringLiteral(":/chem/atomic-weights.tsv"))) {
        const int z = cells.value(0).toInt();
        if (z >= 1 && z <= count && cells.size() >= 4)
            elements_[size_t(z)] = {cells[1], cells[2], cells[3].toDouble(), {}};
    }
    for (const QStringList& cells : dataLines(QStringLiteral(":/chem/oxides.tsv")))
        if (const int z = atomicNumber(cells.value(0)))
            elements_[size_t(z)].oxides = cells.mid(1);
}

const ElementTable& ElementTable::instance() {
    static const ElementTable table;
    return table;
}

QString ElementTable::symbol(int z) const {
    return z >= 1 && z <= count ? elements_[size_t(z)].symbol : QString();
}

QString ElementTable::name(int z) const {
    return z >= 1 && z <= count ? elements_[size_t(z)].name : QString();
}

double ElementTable::atomicWeight(int z) const {
    return z >= 1 && z <= count ? elements_[size_t(z)].weight : 0.0;
}

QStringList ElementTable::oxides(int z) const {
    return z >= 1 && z <= count ? elements_[size_t(z)].oxides : QStringList();
}

int ElementTable::atomicNumber(const QString& symbol) const {
    if (symbol.isEmpty())
        return 0;
    for (int z = 1; z <= count; ++z)
        if (elements_[size_t(z)].symbol == symbol)
            return z;
    return 0;
}
