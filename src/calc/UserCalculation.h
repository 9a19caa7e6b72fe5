#pragma once
// A calculation as it is kept between sessions and used by a diagram axis: a name, the equation
// over a to e and the five variables. Plain value type.
#include "calc/CalcVariable.h"
#include "calc/UserCalcFormula.h"

#include <array>

struct UserCalculation {
    QString name;
    QString equation;
    std::array<CalcVariable, UserCalcFormula::variableCount> variables;
    bool operator==(const UserCalculation&) const = default;
};
