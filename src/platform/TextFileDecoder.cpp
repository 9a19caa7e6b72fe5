#include "platform/TextFileDecoder.h"

namespace {
// 0x80..0x9F; the five bytes Windows-1252 leaves undefined keep their C1 control, as Windows
// itself maps them.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

QString TextFileDecoder::fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = b >= 0x80 && b < 0xA0 ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return text;
}

TextFileDecoder::Decoded TextFileDecoder::decode(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    if (bytes.isValidUtf8())
        return {QString::fromUtf8(bytes), false};
    return {fromWindows1252(bytes), true};
}
