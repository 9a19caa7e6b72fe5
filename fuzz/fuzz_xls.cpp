// Any bytes as an Excel 97 (.xls) file through FreeXL: reading never crashes, says why it
// refused, and what it accepts can be written as text and read back unchanged.
#include "FuzzInput.h"
#include "platform/XlsWorkbookReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::WorkFiles files;
    const QString path = files.write(QStringLiteral("input.xls"), fuzz::bytes(data, size));
    QString error;
    const auto book = XlsWorkbookReader::read(path, &error);
    if (!book) {
        fuzz::check(!error.isEmpty(), "a refused workbook gives no reason");
        return 0;
    }
    const auto again = Workbook::parseUtf8(book->toUtf8());
    fuzz::check(again.ok() && *again.workbook == *book, "a read workbook does not round-trip");
    return 0;
}
