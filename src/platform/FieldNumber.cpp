#include "platform/FieldNumber.h"

#include "platform/NumberText.h"

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
} // namespace

bool FieldNumber::hasLeadingZeros(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    return text.size() >= 2 && text[0] == '0' && isDigit(char16_t(text[1]));
}

bool FieldNumber::hasLeadingZeros(QStringView text) {
    text = text.trimmed();
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        text = text.mid(1);
    return text.size() >= 2 && text[0] == u'0' && isDigit(text[1].unicode());
}

std::optional<double> FieldNumber::of(std::string_view text) {
    if (hasLeadingZeros(text))
        return std::nullopt;
    return NumberText::fromText(text);
}

std::optional<double> FieldNumber::of(QStringView text) {
    if (hasLeadingZeros(text))
        return std::nullopt;
    return NumberText::fromText(text);
}
