#pragma once
// The elements hydrogen (1) to element 106: symbol, name, standard atomic weight and the oxide
// forms offered for each. Read once from the data files built into the program
// (chem/data/atomic-weights.tsv, oxides.tsv) and kept for the life of the program.
#include <QString>
#include <QStringList>
#include <array>

class ElementTable {
public:
    static constexpr int count = 106;
    static constexpr int oxygen = 8;

    static const ElementTable& instance();

    // "" outside 1..count.
    QString symbol(int z) const;
    QString name(int z) const;
    // 0 outside 1..count.
    double atomicWeight(int z) const;
    // The oxide formulas offered for the element, the usual one first; empty when none.
    QStringList oxides(int z) const;
    // Exact, case-sensitive; 0 when no element has the symbol.
    int atomicNumber(const QString& symbol) const;

private:
    ElementTable();
    struct Element {
        QString symbol, name;
        double weight = 0.0;
        QStringList oxides;
    };
    std::array<Element, count + 1> elements_; // [0] unused
};
