// Any text as comma-separated values, through both readers: ClipData's CsvText and the sample
// generator's CsvTable. Neither crashes; a refusal says why; what CsvText reads, written back
// record by record, reads back as the same records; every CsvTable row has the header's width.
#include "CsvTable.h"
#include "FuzzInput.h"
#include "clipdata/CsvText.h"

namespace {

void csvText(const QString& text) {
    QString error;
    const auto records = CsvText::parse(text, &error);
    if (!records) {
        fuzz::check(!error.isEmpty(), "a refused CSV text gives no reason");
        return;
    }
    QString written;
    for (const QStringList& record : *records)
        CsvText::appendRecord(written, record);
    const auto again = CsvText::parse(written);
    fuzz::check(again && *again == *records, "CSV records change when written and read again");
}

void csvTable(const QByteArray& bytes) {
    QString error;
    const auto table = CsvTable::parse(bytes, &error);
    if (!table) {
        fuzz::check(!error.isEmpty(), "a refused CSV table gives no reason");
        return;
    }
    const int columns = int(table->header().size());
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < columns; ++column)
            (void)CsvTable::isMissing(table->cell(row, column));
    for (int column = 0; column < columns; ++column)
        (void)table->columnType(column);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    csvText(fuzz::text(data, size));
    csvTable(fuzz::bytes(data, size));
    return 0;
}
