#include "platform/legacy/DbfTextCodec.h"

#include <QRegularExpression>
#include <map>

namespace {

const QString fallback = QStringLiteral("windows-1252");

// Code page numbers of the dBase language driver ids that occur in practice.
int codePageOfLanguageDriver(int ldid) {
    static const std::map<int, int> pages = {
        {0x01, 437},  {0x02, 850},  {0x03, 1252}, {0x08, 865}, {0x09, 437}, {0x0a, 850},
        {0x0b, 437},  {0x0d, 437},  {0x0e, 850},  {0x0f, 437}, {0x10, 850}, {0x11, 437},
        {0x12, 850},  {0x13, 932},  {0x14, 850},  {0x15, 437}, {0x16, 850}, {0x17, 865},
        {0x18, 437},  {0x19, 437},  {0x1a, 850},  {0x1b, 437}, {0x1c, 863}, {0x1d, 850},
        {0x1f, 852},  {0x22, 852},  {0x23, 852},  {0x24, 860}, {0x25, 850}, {0x26, 866},
        {0x37, 850},  {0x40, 852},  {0x4d, 936},  {0x4e, 949}, {0x4f, 950}, {0x50, 874},
        {0x57, 1252}, {0x58, 1252}, {0x59, 1252}, {0x64, 852}, {0x65, 866}, {0x66, 865},
        {0x67, 861},  {0x6a, 737},  {0x6b, 857},  {0x78, 950}, {0x79, 949}, {0x7a, 936},
        {0x7b, 932},  {0x7c, 874},  {0x86, 737},  {0x87, 852}, {0x88, 857}, {0xc8, 1250},
        {0xc9, 1251}, {0xca, 1254}, {0xcb, 1253}, {0xcc, 1257}};
    const auto it = pages.find(ldid);
    return it == pages.end() ? 0 : it->second;
}

QString encodingOfCodePage(int page) {
    switch (page) {
    case 65001:
        return QStringLiteral("UTF-8");
    case 932:
        return QStringLiteral("Shift_JIS");
    case 936:
        return QStringLiteral("GBK");
    case 949:
        return QStringLiteral("windows-949");
    case 950:
        return QStringLiteral("Big5");
    case 874:
        return QStringLiteral("windows-874");
    default:
        break;
    }
    if (page >= 1250 && page <= 1258)
        return QStringLiteral("windows-%1").arg(page);
    if (page >= 28591 && page <= 28599)
        return QStringLiteral("ISO-8859-%1").arg(page - 28590);
    if (page >= 88591 && page <= 88599) // .cpg files of some writers say "88591"
        return QStringLiteral("ISO-8859-%1").arg(page - 88590);
    if (page >= 437 && page <= 869)
        return QStringLiteral("IBM%1").arg(page);
    return {};
}

} // namespace

QString DbfTextCodec::encodingFor(const QString& declared) {
    const QString text = declared.trimmed().toUpper();
    if (text.isEmpty())
        return {};
    if (text.startsWith(QLatin1String("LDID/"))) {
        bool ok = false;
        const int ldid = text.mid(5).toInt(&ok);
        if (!ok)
            return {};
        if (ldid == 0) // no code page marked
            return fallback;
        return encodingOfCodePage(codePageOfLanguageDriver(ldid));
    }
    if (text == QLatin1String("UTF-8") || text == QLatin1String("UTF8"))
        return QStringLiteral("UTF-8");
    // "1252", "CP1252", "ANSI 1252", "WINDOWS-1252", "OEM 850", "8859-1", "ISO-8859-1" ...
    static const QRegularExpression numbered(
        QStringLiteral("^(?:CP|ANSI|OEM|WINDOWS|IBM|MS)?[ _-]?(\\d+)$"));
    if (const auto m = numbered.match(text); m.hasMatch())
        return encodingOfCodePage(m.captured(1).toInt());
    static const QRegularExpression iso(QStringLiteral("^(?:ISO[ _-]?)?8859[ _-]?(\\d{1,2})$"));
    if (const auto m = iso.match(text); m.hasMatch())
        return QStringLiteral("ISO-8859-") + m.captured(1);
    // Anything else by the name the file gives, when this system knows it.
    return QStringDecoder(text.toLatin1().constData()).isValid() ? declared.trimmed() : QString();
}

DbfTextCodec::DbfTextCodec(const QString& declared) {
    const QString wanted = declared.trimmed().isEmpty() ? fallback : encodingFor(declared);
    if (wanted.isEmpty())
        warning_ = QStringLiteral("the code page %1 is not known; texts were read as %2")
                       .arg(declared.trimmed(), fallback);
    use(wanted.isEmpty() ? fallback : wanted);
    if (!decoder_.isValid()) {
        // A Qt without ICU knows only the Unicode encodings and Latin-1.
        warning_ = QStringLiteral("the code page %1 cannot be decoded on this system; texts were "
                                  "read as ISO-8859-1")
                       .arg(encoding_);
        use(QStringLiteral("ISO-8859-1"));
    }
}

void DbfTextCodec::use(const QString& encoding) {
    encoding_ = encoding;
    // Stateless: every field is decoded on its own, so a cut multibyte sequence in one field
    // cannot spill into the next.
    decoder_ = QStringDecoder(encoding.toLatin1().constData(), QStringDecoder::Flag::Stateless);
}

QString DbfTextCodec::decode(QByteArrayView bytes) {
    return decoder_.decode(bytes);
}
