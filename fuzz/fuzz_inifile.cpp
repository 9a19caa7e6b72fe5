// Arbitrary bytes as an initialization file: parsing never crashes, what was read can be
// written back, and a value written is read back as written.
#include "platform/IniFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    IniFile ini = IniFile::parse(text);
    for (const QString& section : ini.sections())
        for (const QString& key : ini.keys(section))
            (void)ini.value(section, key);
    const QString key = QStringLiteral("FuzzKey");
    const QString value = text.left(200).simplified();
    ini.setValue(QStringLiteral("FuzzSection"), key, value);
    const IniFile again = IniFile::parse(ini.text());
    const auto back = again.value(QStringLiteral("fuzzsection"), key);
    // Unquoting applies to what was written too, so compare only values it cannot touch.
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    if (!quoted && back != value.left(IniFile::maxValueLength)) {
        // An earlier [FuzzSection] in the input may already hold the key: first match wins.
        if (!ini.keys(QStringLiteral("FuzzSection")).contains(key, Qt::CaseInsensitive))
            std::abort();
    }
    return 0;
}
