#pragma once
// The evaluator's working value: small and trivially copied, so that a compiled formula runs
// over a million rows without allocating. Texts live in a pool of the evaluation and are named
// by their index. Used by Formula and FormulaFunctions only.
#include "formula/FormulaValue.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

// Trivial on purpose (no member initialisers): the evaluation stack is not cleared per row.
struct FormulaCell {
    enum Kind : std::uint8_t { Number, Boolean, Text, Error };
    double number;
    std::uint32_t text;
    Kind kind;
    FormulaError error;

    static FormulaCell of(double n) { return {n, 0, Number, FormulaError::None}; }
    static FormulaCell truth(bool b) { return {b ? 1.0 : 0.0, 0, Boolean, FormulaError::None}; }
    static FormulaCell failed(FormulaError e) { return {0, 0, Error, e}; }
    // A finite result, or #NUM!.
    static FormulaCell finite(double n) {
        return std::isfinite(n) ? of(n) : failed(FormulaError::Number);
    }
};

using FormulaTextPool = std::vector<std::string>;
