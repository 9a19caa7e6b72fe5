// Any bytes as an Excel 97 (.xls) file through FreeXL: reading never crashes the program, says
// why it refused, and what it accepts can be written as text and read back unchanged.
//
// The program reads in a child process (IsolatedRun), where libFuzzer sees no coverage. So each
// input is read that way first; where FreeXL came through it in the child, it is read again in
// this process, which gives the fuzzer its coverage and checks that the child handed over exactly
// what was read. An input on which FreeXL crashes or hangs has been turned into an error by then
// and is not run here: that fault lies in FreeXL, and the program survives it.
#include "FuzzInput.h"
#include "platform/XlsWorkbookReader.h"

namespace {
// Short, so that an input FreeXL loops on costs seconds; every sound input takes milliseconds.
constexpr IsolatedRun::Seconds childLimit(5);

bool readerFailed(const QString& error, const QString& path) {
    return error.startsWith(QStringLiteral("The Excel reader failed on the file ") + path) ||
           error.startsWith(QStringLiteral("Reading ") + path + QStringLiteral(" took longer"));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::WorkFiles files;
    const QString path = files.write(QStringLiteral("input.xls"), fuzz::bytes(data, size));
    QString error;
    const auto book = XlsWorkbookReader::read(path, &error, childLimit);
    fuzz::check(book || !error.isEmpty(), "a refused workbook gives no reason");
    if (!book && readerFailed(error, path))
        return 0;
    QString errorHere;
    const auto here = XlsWorkbookReader::readInProcess(path, &errorHere);
    fuzz::check(here.has_value() == book.has_value() && errorHere == error,
                "the child's result differs from the reading in this process");
    if (!book)
        return 0;
    fuzz::check(*here == *book, "the child's workbook differs from the one read in this process");
    const auto again = Workbook::parseUtf8(book->toUtf8());
    fuzz::check(again.ok() && *again.workbook == *book, "a read workbook does not round-trip");
    return 0;
}
