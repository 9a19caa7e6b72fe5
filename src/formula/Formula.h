#pragma once
// A formula of the spreadsheet syntax, compiled once and evaluated per row. It reads the cells
// A1 to F1 and one variable (x, or y for "X=" equations), each a whole name token in either
// case; numbers are in the C locale. Operators from loosest to tightest: comparisons
// (= <> < > <= >=), & (joins texts), + -, * /, ^ (left to right), % and unary signs, so -2^2
// is 4. A name that is neither a cell, the variable, TRUE/FALSE nor a known function gives
// #NAME? when evaluated; a text that does not parse, or a call with the wrong number of
// arguments, is refused when compiled. Plain value type; evaluate() does not change it.
#include "formula/FormulaNumericProgram.h"
#include "formula/FormulaValue.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class Formula {
public:
    static constexpr int cellCount = 6;            // A1 ... F1
    static constexpr int variableSlot = cellCount; // x (or y)
    static constexpr int slotCount = cellCount + 1;

    // text may begin with "=". variable: the name of the variable slot ("x" or "y").
    // nullopt when the text does not parse; error then says where.
    static std::optional<Formula> compile(const QString& text, QString* error = nullptr,
                                          const QString& variable = QStringLiteral("x"));

    // inputs: A1..F1 and the variable, at most slotCount values; missing ones are 0.
    FormulaValue evaluate(std::span<const double> inputs) const;

    // Whether the formula reads this slot.
    bool uses(int slot) const;

private:
    enum class Op : std::uint8_t {
        Number,
        Boolean,
        Text,
        Error,
        Slot,
        Negate,
        Percent,
        Add,
        Subtract,
        Multiply,
        Divide,
        Power,
        Concat,
        Equal,
        NotEqual,
        Less,
        Greater,
        LessEqual,
        GreaterEqual,
        Call
    };
    struct Step {
        Op op;
        std::uint8_t count = 0; // arguments of a Call
        std::int16_t index = 0; // slot, text constant, function id or error
        double number = 0;
    };
    friend class FormulaParser;

    // The numeric form when the formula has one.
    void makeNumericProgram();

    std::vector<Step> steps_;
    std::optional<FormulaNumericProgram> numeric_;
    std::vector<std::string> texts_;
    int depth_ = 0;
};
