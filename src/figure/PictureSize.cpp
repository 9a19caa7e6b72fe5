#include "figure/PictureSize.h"

#include "platform/IniFile.h"

#include <QRegularExpression>
#include <cmath>

namespace {
const QString section = QStringLiteral("Picture");
const QString key = QStringLiteral("Size");
constexpr int maxSide = 20000; // beyond this a picture no longer fits in memory
} // namespace

std::optional<PictureSize> PictureSize::parse(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(\d+)\s*[xX*]\s*(\d+)\s*(?:@\s*(\d+)\s*(?:dpi)?)?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    PictureSize size;
    size.pixels = {m.captured(1).toInt(), m.captured(2).toInt()};
    if (!m.captured(3).isEmpty())
        size.dotsPerInch = m.captured(3).toInt();
    const auto inRange = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    if (!inRange(size.pixels.width(), 16, maxSide) || !inRange(size.pixels.height(), 16, maxSide) ||
        !inRange(size.dotsPerInch, 24, 2400))
        return std::nullopt;
    return size;
}

QString PictureSize::text() const {
    return QStringLiteral("%1 x %2 @ %3").arg(pixels.width()).arg(pixels.height()).arg(dotsPerInch);
}

QSize PictureSize::layoutSize() const {
    return {std::max(1, int(std::lround(pixels.width() / scale()))),
            std::max(1, int(std::lround(pixels.height() / scale())))};
}

PictureSize PictureSize::load(const QString& lastFilesPath) {
    const std::optional<QString> stored = IniFile::load(lastFilesPath).value(section, key);
    return stored ? parse(*stored).value_or(PictureSize()) : PictureSize();
}

bool PictureSize::save(const QString& lastFilesPath) const {
    IniFile ini = IniFile::load(lastFilesPath);
    ini.setValue(section, key, text());
    return ini.save(lastFilesPath);
}
