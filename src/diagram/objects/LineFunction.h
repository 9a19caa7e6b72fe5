#pragma once
// The function of one variable that a trendline equation's expression stands for. The shared
// formula evaluator implements it once it is in; MiniExpression is the small one used until then.
#include <QString>

class LineFunction {
public:
    virtual ~LineFunction() = default;
    // The value at v; NaN where there is none (a division by zero, a logarithm of 0).
    virtual double at(double v) const = 0;
};
