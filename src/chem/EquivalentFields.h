#pragma once
// The fields of the session database that hold what a missing field name asks for: the same
// name, or the same element and base in another unit (a Cu% column for Cu_ppm, factor 10^4),
// or, for iron, another total-iron field (FeOtot% for Fe2O3tot%, converted between the oxide
// forms). Used when a stored figure or a pasted column names a field the database lacks.
#include <QString>
#include <vector>

class SchemaCatalogue;

struct EquivalentField {
    QString table;
    QString field;
    double factor = 1.0; // multiplies the field's values into the unit (and form) of the name
};

class EquivalentFields {
public:
    // In catalogue order: exact names first, then fields in another unit, then iron totals.
    // A name without a unit has only exact equivalents (a factor against no unit means nothing).
    static std::vector<EquivalentField> find(const QString& name, const SchemaCatalogue& catalogue);
};
