#include "grid/DecimalRounding.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {
__extension__ typedef __int128 Int;
constexpr int maxDigits = 36; // well inside the 38 digits of a signed 128-bit integer

Int powerOfTen(int n) {
    Int p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

std::string digitsOf(Int v) {
    std::string s;
    do {
        s.insert(s.begin(), char('0' + int(v % 10)));
        v /= 10;
    } while (v > 0);
    return s;
}
} // namespace

double DecimalRounding::round(double value, int decimals) {
    if (!std::isfinite(value) || decimals < 0)
        return value;
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (written.ec != std::errc())
        return value;
    std::string text(buffer, written.ptr);
    const bool negative = text.front() == '-';
    if (negative)
        text.erase(0, 1);
    const size_t point = text.find('.');
    std::string whole = point == std::string::npos ? text : text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    if (int(fraction.size()) <= decimals)
        return value;
    if (int(whole.size() + fraction.size()) > maxDigits) {
        const double scale = std::pow(10.0, decimals);
        return std::floor(value * scale + 0.5) / scale;
    }
    // magnitude * 10^decimals, split into the kept part and the dropped digits.
    const std::string kept = whole + fraction.substr(0, size_t(decimals));
    const std::string dropped = fraction.substr(size_t(decimals));
    Int k = 0;
    for (char c : kept)
        k = k * 10 + (c - '0');
    const bool half =
        dropped.front() == '5' && dropped.find_first_not_of('0', 1) == std::string::npos;
    const bool aboveHalf = dropped.front() > '5' || (dropped.front() == '5' && !half);
    // floor(x + 0.5): positive halves go up, negative halves go towards zero.
    if (aboveHalf || (half && !negative))
        ++k;
    const Int scale = powerOfTen(decimals);
    std::string out = (negative && k != 0 ? "-" : "") + digitsOf(k / scale);
    if (decimals > 0) {
        std::string frac = digitsOf(k % scale);
        out += '.' + std::string(size_t(decimals) - frac.size(), '0') + frac;
    }
    double result = 0;
    std::from_chars(out.data(), out.data() + out.size(), result);
    return result;
}
