// Any bytes as an .xlsx package, read the way ClipData's OPEN reads one: reading never crashes,
// says why it refused, and what it accepts can be written as text and read back unchanged.
#include "FuzzInput.h"
#include "platform/XlsxWorkbookReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::WorkFiles files;
    const QString path = files.write(QStringLiteral("input.xlsx"), fuzz::bytes(data, size));
    QString error;
    const auto book = XlsxWorkbookReader::read(path, &error);
    if (!book) {
        fuzz::check(!error.isEmpty(), "a refused workbook gives no reason");
        return 0;
    }
    const auto again = Workbook::parseUtf8(book->toUtf8());
    fuzz::check(again.ok() && *again.workbook == *book, "a read workbook does not round-trip");
    return 0;
}
