#include "figure/FigureColorText.h"

#include <algorithm>
#include <cctype>

std::optional<FigureColor> FigureColorText::fromText(const QString& text) {
    const QString t = text.trimmed();
    const auto hex = [](QChar c) { return std::isxdigit(c.unicode()) && c.unicode() < 128; };
    if (t.size() != 7 || !t.startsWith(u'#') || !std::all_of(t.begin() + 1, t.end(), hex))
        return std::nullopt; // toUInt alone would take "+" and "0x"
    const uint rgb = t.mid(1).toUInt(nullptr, 16);
    return FigureColor{std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)};
}

QString FigureColorText::toText(FigureColor color) {
    const uint rgb = uint(color.red) << 16 | uint(color.green) << 8 | color.blue;
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0'));
}
