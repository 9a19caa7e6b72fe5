#pragma once
// A small evaluator for trendline expressions in spreadsheet syntax: numbers, the variable x,
// + - * / ^, unary minus, parentheses and the functions EXP, LN, LOG (base 10), SQRT, ABS (case
// ignored; the "x" inside "exp" is not the variable). parse() returns nullptr for text it cannot
// read. Kept until the shared formula evaluator serves trendlines too.
#include "diagram/objects/LineFunction.h"

#include <memory>

class MiniExpression {
public:
    static std::unique_ptr<LineFunction> parse(const QString& expression);
};
