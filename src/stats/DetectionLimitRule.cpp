#include "stats/DetectionLimitRule.h"

#include "platform/NumberText.h"

#include <cmath>

std::optional<double> DetectionLimitRule::limitOf(const QString& text) const {
    const QStringView t = QStringView(text).trimmed();
    if (!marker.isEmpty() && t.startsWith(marker)) {
        const auto limit = NumberText::fromText(t.mid(marker.size()).trimmed());
        if (limit)
            return std::fabs(*limit);
        return std::nullopt;
    }
    if (inDataOption == 2)
        if (const auto n = NumberText::fromText(t); n && *n < 0)
            return -*n;
    return std::nullopt;
}

QString DetectionLimitRule::converted(const QString& text) const {
    const auto limit = limitOf(text);
    if (!limit)
        return text;
    switch (inProcessOption) {
    case 1:
        return NumberText::toText(*limit);
    case 2:
        return NumberText::toText(*limit * multiplier);
    case 3:
        return NumberText::toText(fixedValue);
    default:
        return QString();
    }
}
