#pragma once
// One variable of a user calculation: the table and field whose value it takes per row. Plain
// value type.
#include <QString>

struct CalcVariable {
    QString table;
    QString field;
    bool bound() const { return !table.isEmpty() && !field.isEmpty(); }
    bool operator==(const CalcVariable&) const = default;
};
