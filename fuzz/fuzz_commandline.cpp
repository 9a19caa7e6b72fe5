// Arbitrary command lines: splitting never crashes, never yields an empty argument or one
// holding a separator, and never more than the maximum.
#include "app/CommandLine.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const int max = size > 0 ? data[0] % 12 : 10;
    const QStringList args = CommandLine::SplitCommandLine(line, max);
    if (args.size() > max)
        std::abort();
    for (const QString& a : args)
        if (a.isEmpty() || a.contains(u',') || a.contains(u'\t'))
            std::abort();
    return 0;
}
