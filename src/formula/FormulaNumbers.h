#pragma once
// Numbers as the spreadsheet syntax reads and writes them, always in the C locale, and the
// decimal rounding its ROUND functions need. Stateless helpers.
#include <optional>
#include <string>
#include <string_view>

class FormulaNumbers {
public:
    // The whole text as a number ("1.5", " 2e3 "); nullopt for anything else, the empty text too.
    static std::optional<double> parse(std::string_view text);
    // Shortest text that reads back to the same double ("0.1", "1e+21", "3").
    static std::string format(double value);

    enum class Rounding { HalfAwayFromZero, TowardZero, AwayFromZero };
    // value rounded to `digits` decimals (negative: to tens, hundreds...). The value is first
    // taken at the 15 significant digits a spreadsheet shows, so 2.675 rounds to 2.68 although
    // its double lies just below.
    static double round(double value, int digits, Rounding how);
};
