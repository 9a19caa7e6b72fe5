#pragma once
// The comparison of If and Case rows in a population program: a value (a memory place's or
// the result box's text) against the criteria by one of the program's operators. Numbers
// compare as numbers when both sides are numbers, otherwise as texts; "Like" takes the
// wild cards "*" and "?" (and "%" and "_"), case-insensitive.
#include <QString>

class PopulationComparison {
public:
    static bool holds(const QString& left, const QString& op, const QString& right);
};
