// Jet SQL text reaches the translator from the builders and from what the person types; any text
// must tokenize and translate without crashing, and a translated statement is one statement.
#include "platform/SqlDialectTranslator.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (SqlDialect d : {SqlDialect::Sqlite, SqlDialect::Postgres}) {
        const auto r = SqlDialectTranslator::translate(text, d);
        if (r.ok() && r.parameterCount < 0)
            std::abort();
    }
    return 0;
}
