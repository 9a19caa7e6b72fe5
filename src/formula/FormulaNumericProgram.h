#pragma once
// The fast form of a formula that only does arithmetic on numbers (no texts, comparisons or IF):
// plain doubles on the stack, right operands that are a cell or a constant folded into their
// operator, and evaluation that stops at the first error value. That first error is the one
// the general evaluator gives too, as operands are computed left to right and, without IF,
// no operator drops an error. Built and run by Formula.
#include "formula/FormulaValue.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class FormulaNumericProgram {
public:
    enum class Op : std::uint8_t {
        Number,
        Slot,
        Error,
        Negate,
        Percent,
        Add,
        Subtract,
        Multiply,
        Divide,
        Power,
        Call
    };
    enum class Operand : std::uint8_t { Stack, Slot, Number };
    struct Step {
        Op op;
        Operand right = Operand::Stack; // binary operators: where the right operand is
        std::uint8_t count = 0;         // arguments of a Call
        std::int16_t index = 0;         // slot, function id or error
        double number = 0;
    };

    static constexpr int maxCallArguments = 8;

    // steps: the general evaluator's operators mapped onto Op, right operands on the stack.
    explicit FormulaNumericProgram(const std::vector<Step>& steps, int depth);

    FormulaValue evaluate(std::span<const double> inputs) const;

private:
    std::vector<Step> steps_;
    int depth_;
};
