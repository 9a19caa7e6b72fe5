// Workbook files come from disk and may be anything: the parser must never crash, and what
// it accepts must survive being written and read again unchanged.
#include "platform/Sheet.h"
#include "platform/Workbook.h"

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
void roundTrip(const Workbook& first, const char* how) {
    const QByteArray text = first.toUtf8();
    const auto second = Workbook::parseUtf8(text);
    if (!second.ok()) {
        std::fprintf(stderr, "%s: written text does not parse: %s\n", how,
                     second.error.toUtf8().constData());
        std::abort();
    }
    if (!(*second.workbook == first)) {
        std::fprintf(stderr, "%s: workbook changed in a round trip\n", how);
        std::abort();
    }
    if (second.workbook->toUtf8() != text) {
        std::fprintf(stderr, "%s: writing is not stable\n", how);
        std::abort();
    }
}

void tsvRoundTrip(const Workbook& book) {
    // The clipboard path: a sheet's TSV pasted into an empty sheet as texts gives its texts.
    for (int i = 1; i <= book.sheetCount(); ++i) {
        const Sheet& sheet = *book.sheetAt(i);
        Sheet pasted;
        if (!pasted.fromTsv(sheet.toTsv(), 1, 1, true)) {
            std::abort();
        }
        for (int row = 1; row <= sheet.lastRow(); ++row) {
            for (int column = 1; column <= sheet.lastColumn(); ++column) {
                if (pasted.text(row, column) != sheet.text(row, column)) {
                    std::fprintf(stderr, "TSV changed cell (%d, %d)\n", row, column);
                    std::abort();
                }
            }
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The bytes as the file loader sees them, and as text already decoded.
    const auto raw = Workbook::parseUtf8(bytes);
    if (raw.ok()) {
        roundTrip(*raw.workbook, "bytes");
        tsvRoundTrip(*raw.workbook);
    } else if (raw.error.isEmpty()) {
        std::abort();
    }
    const auto decoded = Workbook::parse(QString::fromUtf8(bytes));
    if (decoded.ok()) {
        roundTrip(*decoded.workbook, "text");
    }
    return 0;
}
