#pragma once
// "As xls for MapInfo": the grid's rows as a workbook with the field names in its first row.
// MapInfo reads an empty cell as zero, so Null cells get a stand-in the person chooses.
// Written as .xlsx: the old binary .xls format has no maintained writer.
#include "platform/RowSet.h"

#include <QString>

class Dialogs;
class Status;

class MapInfoExport {
public:
    // status, when given, tells how many rows were written and where.
    explicit MapInfoExport(Dialogs& dialogs, Status* status = nullptr);

    // Asks for the Null stand-in and the file; false when cancelled or the file cannot be
    // written (said so).
    bool run(const RowSet& rows, const QString& gridName, const QString& userFolder);

    // Texts that read as numbers (the stand-in "-999") are written as numbers.
    static bool write(const RowSet& rows, const QString& nullText, const QString& path,
                      QString* error);

private:
    Dialogs& dialogs_;
    Status* status_;
};
