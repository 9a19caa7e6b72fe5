// Any bytes as an Excel 97 (.xls) file through FreeXL: reading never crashes the program, says
// why it refused, and what it accepts can be written as text and read back unchanged.
//
// The program reads in a child process (IsolatedRun), and so does this target: FreeXL itself
// corrupts memory on some damaged files and does not read them the same way twice, so running it
// in this process would fuzz the library rather than the program. An input on which FreeXL
// crashes or hangs must come back as an error naming the file.
#include "FuzzInput.h"
#include "platform/XlsWorkbookReader.h"

namespace {
// Short, so that an input FreeXL loops on costs seconds; every sound input takes milliseconds.
constexpr IsolatedRun::Seconds childLimit(5);
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::WorkFiles files;
    const QString path = files.write(QStringLiteral("input.xls"), fuzz::bytes(data, size));
    QString error;
    const auto book = XlsWorkbookReader::read(path, &error, childLimit);
    fuzz::check(book || !error.isEmpty(), "a refused workbook gives no reason");
    if (book) {
        const auto again = Workbook::parseUtf8(book->toUtf8());
        fuzz::check(again.ok() && *again.workbook == *book, "a read workbook does not round-trip");
    }
    return 0;
}
