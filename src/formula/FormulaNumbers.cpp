#include "formula/FormulaNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

std::optional<double> FormulaNumbers::parse(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string FormulaNumbers::format(double value) {
    if (value == 0)
        return "0"; // never "-0"
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

double FormulaNumbers::round(double value, int digits, Rounding how) {
    if (!std::isfinite(value) || digits > 300 || digits < -300)
        return value;
    const double scale = std::pow(10.0, std::abs(digits));
    double scaled = digits >= 0 ? value * scale : value / scale;
    if (!std::isfinite(scaled))
        return value;
    // The digits a spreadsheet keeps: 267.49999999999997 is 267.5.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", scaled);
    scaled = std::strtod(buffer, nullptr);
    double whole = 0;
    switch (how) {
    case Rounding::HalfAwayFromZero:
        whole = std::round(scaled);
        break;
    case Rounding::TowardZero:
        whole = std::trunc(scaled);
        break;
    case Rounding::AwayFromZero:
        whole = scaled < 0 ? std::floor(scaled) : std::ceil(scaled);
        break;
    }
    return digits >= 0 ? whole / scale : whole * scale;
}
