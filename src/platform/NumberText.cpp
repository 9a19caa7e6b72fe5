#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {
constexpr std::size_t kBufferSize = 32; // "-2.2250738585072014e-308" is 24 characters

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view formatInto(char (&buffer)[kBufferSize], double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    const auto result = std::to_chars(buffer, buffer + kBufferSize, value);
    return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}
} // namespace

QString NumberText::toText(double value) {
    char buffer[kBufferSize];
    const std::string_view text = formatInto(buffer, value);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString NumberText::toDisplayText(double value) {
    if (!std::isfinite(value))
        return toText(value);
    if (value == 0)
        return QStringLiteral("0");
    constexpr int maxDigits = 15; // what a double holds exactly
    const int wholeDigits = int(std::floor(std::log10(std::fabs(value)))) + 1;
    char buffer[kBufferSize];
    if (wholeDigits < 1 || wholeDigits > maxDigits) {
        const auto result = std::to_chars(buffer, buffer + kBufferSize, value,
                                          std::chars_format::general, displayDigits);
        return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
    }
    // Positional, so rounding up (9999999999.99) gives 10000000000, not "1e+10".
    const int digits = std::max(wholeDigits, displayDigits);
    const auto result = std::to_chars(buffer, buffer + kBufferSize, value, std::chars_format::fixed,
                                      digits - wholeDigits);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (text.find('.') != std::string_view::npos) {
        while (text.back() == '0')
            text.remove_suffix(1);
        if (text.back() == '.')
            text.remove_suffix(1);
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString NumberText::floatToText(float value) {
    if (!std::isfinite(value))
        return toText(double(value));
    char buffer[kBufferSize];
    const auto result = std::to_chars(buffer, buffer + kBufferSize, value);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

void NumberText::appendTo(QByteArray& out, double value) {
    char buffer[kBufferSize];
    const std::string_view text = formatInto(buffer, value);
    out.append(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<double> NumberText::fromText(std::string_view text, Specials specials) {
    if (text.size() > maxLength) {
        return std::nullopt;
    }
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    if (specials == Specials::Accept) {
        if (text == "nan") {
            return std::numeric_limits<double>::quiet_NaN();
        }
        if (text == "inf") {
            return std::numeric_limits<double>::infinity();
        }
        if (text == "-inf") {
            return -std::numeric_limits<double>::infinity();
        }
    }
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    } else if (!digits.empty() && digits.front() == '-') {
        digits.remove_prefix(1);
    }
    // from_chars would also take "inf", "nan(...)" and, after our '+', a second sign.
    if (digits.empty() ||
        !((digits.front() >= '0' && digits.front() <= '9') || digits.front() == '.')) {
        return std::nullopt;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> NumberText::fromText(QStringView text, Specials specials) {
    if (static_cast<std::size_t>(text.size()) > maxLength) {
        return std::nullopt;
    }
    char buffer[maxLength];
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c > 0x7f) { // non-ASCII: text, and its UTF-8 bytes would not parse either
            return std::nullopt;
        }
        buffer[i] = static_cast<char>(c);
    }
    return fromText(std::string_view(buffer, static_cast<std::size_t>(text.size())), specials);
}
