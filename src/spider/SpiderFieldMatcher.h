#pragma once
// Finds the field an element reference of a spider type stands for among the tables at hand
// (the session database's, or the ClipData sheet's headings as one table), with the factor that
// brings its values to ppm, the unit of normalization samples.
// - "*.La": any field holding the element by name: La, La_ppm, "La ppm", and for K the oxide
//   K2O (a form change by the oxide factor). The element itself is preferred to an oxide, then
//   ppm, no unit, ppb and % in that order, then the first table. A name without a unit holds
//   ppm when it is the element, per cent when it is an oxide.
// - "Table.Field": that field; a unit in its name (%, ppm, ppb) is brought to ppm.
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class SpiderFieldMatcher {
public:
    // Each table with its fields, in the order they are preferred.
    using Tables = std::vector<std::pair<QString, QStringList>>;

    struct Match {
        QString table; // empty: no field found
        QString field;
        double toPpm = 1.0;
        bool found() const { return !table.isEmpty(); }
    };

    explicit SpiderFieldMatcher(Tables tables)
        : tables_(std::move(tables)) {}

    Match match(const QString& reference) const;
    // A "Table.Field" reference whose table lacks the field (or does not exist): the tables
    // that hold a field of that name, to offer the person.
    QStringList tablesWithField(const QString& field) const;
    // The factor to ppm of a field's values taken as the element that its name says.
    static double toPpm(const QString& field);

private:
    Match byElement(const QString& symbol) const;

    Tables tables_;
};
