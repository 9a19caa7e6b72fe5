#include "formula/FormulaFunctions.h"

#include "formula/FormulaNumbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// The digits argument of the ROUND functions as an int: beyond a thousand it means no more
// than a thousand does (the value is left as it is), and never overflows the conversion.
int digitsOf(double y) {
    return std::isnan(y) ? 0 : int(std::clamp(std::trunc(y), -1000.0, 1000.0));
}

enum Id {
    Abs,
    Acos,
    Acosh,
    Asin,
    Asinh,
    Atan,
    Atan2,
    Atanh,
    Average,
    Ceiling,
    Cos,
    Cosh,
    Even,
    Exp,
    Fact,
    Floor,
    If,
    Int,
    Ln,
    Log,
    Log10,
    Max,
    Min,
    Mod,
    Odd,
    Pi,
    Power,
    Round,
    RoundDown,
    RoundUp,
    Sign,
    Sin,
    Sinh,
    Sqrt,
    Sum,
    SumSq,
    Tan,
    Tanh,
    Count
};

constexpr std::array<FormulaFunctions::Info, Count> table{{
    {"ABS", 1, 1},    {"ACOS", 1, 1},  {"ACOSH", 1, 1}, {"ASIN", 1, 1},      {"ASINH", 1, 1},
    {"ATAN", 1, 1},   {"ATAN2", 2, 2}, {"ATANH", 1, 1}, {"AVERAGE", 1, -1},  {"CEILING", 2, 2},
    {"COS", 1, 1},    {"COSH", 1, 1},  {"EVEN", 1, 1},  {"EXP", 1, 1},       {"FACT", 1, 1},
    {"FLOOR", 2, 2},  {"IF", 2, 3},    {"INT", 1, 1},   {"LN", 1, 1},        {"LOG", 1, 2},
    {"LOG10", 1, 1},  {"MAX", 1, -1},  {"MIN", 1, -1},  {"MOD", 2, 2},       {"ODD", 1, 1},
    {"PI", 0, 0},     {"POWER", 2, 2}, {"ROUND", 2, 2}, {"ROUNDDOWN", 2, 2}, {"ROUNDUP", 2, 2},
    {"SIGN", 1, 1},   {"SIN", 1, 1},   {"SINH", 1, 1},  {"SQRT", 1, 1},      {"SUM", 1, -1},
    {"SUMSQ", 1, -1}, {"TAN", 1, 1},   {"TANH", 1, 1},
}};

FormulaCell numError() {
    return FormulaCell::failed(FormulaError::Number);
}

std::string fifteenDigits(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
}

// The multiple of `significance` that `value` reaches when rounded by `up` (true: away from
// zero for a negative pair, towards +inf otherwise); quotients a rounding error away from a
// whole number count as that number, as spreadsheets treat 0.3/0.1.
double multiple(double value, double significance, bool up) {
    double q = value / significance;
    const double nearest = std::round(q);
    if (std::abs(q - nearest) <= 1e-12 * std::max(1.0, std::abs(q)))
        q = nearest;
    // 3 * 0.1 is 0.30000000000000004: the product is taken at the 15 digits a sheet shows.
    const double product = (up ? std::ceil(q) : std::floor(q)) * significance;
    return FormulaNumbers::parse(fifteenDigits(product)).value_or(product);
}

// EVEN and ODD: away from zero to the next even (odd) whole number.
double evenOdd(double v, bool odd) {
    const double sign = v < 0 ? -1 : 1;
    double m = std::ceil(std::abs(v));
    if (odd) {
        if (std::fmod(m, 2) == 0)
            m += 1;
    } else if (std::fmod(m, 2) != 0) {
        m += 1;
    }
    return sign * m;
}
} // namespace

int FormulaFunctions::find(QStringView name) {
    for (int i = 0; i < Count; ++i)
        if (name.compare(QLatin1String(table[size_t(i)].name), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const FormulaFunctions::Info& FormulaFunctions::info(int id) {
    return table[size_t(id)];
}

FormulaCell FormulaFunctions::toNumber(const FormulaCell& cell, const FormulaTextPool& texts) {
    switch (cell.kind) {
    case FormulaCell::Number:
        return cell;
    case FormulaCell::Boolean:
        return FormulaCell::of(cell.number);
    case FormulaCell::Text:
        if (const auto n = FormulaNumbers::parse(texts[cell.text]))
            return FormulaCell::of(*n);
        return FormulaCell::failed(FormulaError::Value);
    case FormulaCell::Error:
        break;
    }
    return cell;
}

FormulaCell FormulaFunctions::call(int id, const FormulaCell* args, int count,
                                   FormulaTextPool& texts) {
    if (id < 0)
        return FormulaCell::failed(FormulaError::Name);
    double v[3] = {0, 0, 0};
    const bool list = table[size_t(id)].maxArguments < 0;
    if (!list && id != If) {
        for (int i = 0; i < count; ++i) {
            const FormulaCell n = toNumber(args[i], texts);
            if (n.kind == FormulaCell::Error)
                return n;
            v[i] = n.number;
        }
    }
    const double x = v[0], y = v[1];
    switch (Id(id)) {
    case Abs:
        return FormulaCell::finite(std::abs(x));
    case Acos:
        return std::abs(x) > 1 ? numError() : FormulaCell::finite(std::acos(x));
    case Acosh:
        return x < 1 ? numError() : FormulaCell::finite(std::acosh(x));
    case Asin:
        return std::abs(x) > 1 ? numError() : FormulaCell::finite(std::asin(x));
    case Asinh:
        return FormulaCell::finite(std::asinh(x));
    case Atan:
        return FormulaCell::finite(std::atan(x));
    case Atan2:
        // The spreadsheet order: ATAN2(x_num, y_num).
        if (x == 0 && y == 0)
            return FormulaCell::failed(FormulaError::DivideByZero);
        return FormulaCell::finite(std::atan2(y, x));
    case Atanh:
        return std::abs(x) >= 1 ? numError() : FormulaCell::finite(std::atanh(x));
    case Ceiling:
        if (y == 0)
            return FormulaCell::of(0);
        if (x > 0 && y < 0)
            return numError();
        return FormulaCell::finite(y < 0 ? -multiple(-x, -y, true) : multiple(x, y, true));
    case Floor:
        if (y == 0)
            return x == 0 ? FormulaCell::of(0) : FormulaCell::failed(FormulaError::DivideByZero);
        if (x > 0 && y < 0)
            return numError();
        return FormulaCell::finite(y < 0 ? -multiple(-x, -y, false) : multiple(x, y, false));
    case Cos:
        return FormulaCell::finite(std::cos(x));
    case Cosh:
        return FormulaCell::finite(std::cosh(x));
    case Even:
        return FormulaCell::finite(evenOdd(x, false));
    case Odd:
        return FormulaCell::finite(evenOdd(x, true));
    case Exp:
        return FormulaCell::finite(std::exp(x));
    case Fact: {
        if (x < 0)
            return numError();
        double f = 1;
        for (double k = 2; k <= std::trunc(x); ++k)
            if (!std::isfinite(f *= k))
                return numError();
        return FormulaCell::of(f);
    }
    case If: {
        const FormulaCell c = toNumber(args[0], texts);
        if (c.kind == FormulaCell::Error)
            return c;
        if (c.number != 0)
            return args[1];
        return count > 2 ? args[2] : FormulaCell::truth(false);
    }
    case Int:
        return FormulaCell::finite(std::floor(x));
    case Ln:
        return x <= 0 ? numError() : FormulaCell::finite(std::log(x));
    case Log: {
        const double base = count > 1 ? y : 10;
        if (x <= 0 || base <= 0)
            return numError();
        if (base == 1)
            return FormulaCell::failed(FormulaError::DivideByZero);
        return FormulaCell::finite(base == 10 ? std::log10(x) : std::log(x) / std::log(base));
    }
    case Log10:
        return x <= 0 ? numError() : FormulaCell::finite(std::log10(x));
    case Mod: {
        if (y == 0)
            return FormulaCell::failed(FormulaError::DivideByZero);
        // The result takes the sign of the divisor.
        return FormulaCell::finite(x - y * std::floor(x / y));
    }
    case Pi:
        return FormulaCell::of(std::numbers::pi);
    case Power:
        if (x == 0 && y == 0)
            return numError();
        if (x == 0 && y < 0)
            return FormulaCell::failed(FormulaError::DivideByZero);
        return FormulaCell::finite(std::pow(x, y));
    case Round:
        return FormulaCell::finite(
            FormulaNumbers::round(x, digitsOf(y), FormulaNumbers::Rounding::HalfAwayFromZero));
    case RoundDown:
        return FormulaCell::finite(
            FormulaNumbers::round(x, digitsOf(y), FormulaNumbers::Rounding::TowardZero));
    case RoundUp:
        return FormulaCell::finite(
            FormulaNumbers::round(x, digitsOf(y), FormulaNumbers::Rounding::AwayFromZero));
    case Sign:
        return FormulaCell::of(x > 0 ? 1 : x < 0 ? -1 : 0);
    case Sin:
        return FormulaCell::finite(std::sin(x));
    case Sinh:
        return FormulaCell::finite(std::sinh(x));
    case Sqrt:
        return x < 0 ? numError() : FormulaCell::finite(std::sqrt(x));
    case Tan:
        return FormulaCell::finite(std::tan(x));
    case Tanh:
        return FormulaCell::finite(std::tanh(x));
    case Average:
    case Max:
    case Min:
    case Sum:
    case SumSq: {
        double total = 0;
        for (int i = 0; i < count; ++i) {
            const FormulaCell n = toNumber(args[i], texts);
            if (n.kind == FormulaCell::Error)
                return n;
            const double a = n.number;
            if (id == Max)
                total = i == 0 ? a : std::max(total, a);
            else if (id == Min)
                total = i == 0 ? a : std::min(total, a);
            else
                total += id == SumSq ? a * a : a;
        }
        return FormulaCell::finite(id == Average ? total / count : total);
    }
    case Count:
        break;
    }
    return FormulaCell::failed(FormulaError::Name);
}
