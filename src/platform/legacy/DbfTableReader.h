#pragma once
// Reads the records of one dBase (.dbf) file through shapelib as cells: texts in the code page
// the file declares, numbers, logicals and dates (YYYYMMDD). Blank fields are Null, never an
// empty text or 0. Values that are no valid number, logical or date become Null as well and are
// reported in warnings(), as are memo fields, whose texts lie in a .dbt file that shapelib cannot
// read. Deleted records are skipped. The file is only ever opened for reading; one that is no
// dBase file, or whose header does not match its field list and size (records that would be
// read shifted, made up or left out), is refused with error().
// Used by DbaseImporter only.
#include "platform/CellValue.h"
#include "platform/legacy/DbfHandles.h"
#include "platform/legacy/DbfTextCodec.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class DbfTableReader {
public:
    struct Field {
        QString name;
        char type = 'C'; // the dBase type letter: C, N, F, L, D, M ...
        int width = 0;
        int decimals = 0;
    };

    explicit DbfTableReader(const QString& path);

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    const std::vector<Field>& fields() const { return fields_; }
    // Calls `row` for each record that is not deleted; stops and returns false when `row`
    // returns false or a record cannot be read (then error() says why).
    bool forEachRow(const std::function<bool(const std::vector<CellValue>&)>& row);
    const QStringList& warnings() const { return warnings_; }

private:
    // Values of one field that could not be read, reported once after the last record.
    struct Rejected {
        int count = 0;
        int firstRecord = 0;
        QString firstValue;
    };

    bool checkHeader(const QString& path);
    bool checkRecordCount();
    void readFields();
    CellValue value(size_t field, QByteArrayView raw, int record);
    CellValue reject(size_t field, QByteArrayView raw, int record);
    void reportRejected();
    QString where(size_t field) const;

    QString fileName_;
    DbfFileHandle dbf_;
    std::optional<DbfTextCodec> codec_;
    int records_ = 0;
    int recordLength_ = 0;
    qint64 recordsInFile_ = 0; // whole records after the header
    qint64 trailingBytes_ = 0; // after the last whole record
    std::vector<Field> fields_;
    std::vector<int> offsets_; // of each field in the record (the deletion flag is byte 0)
    std::vector<Rejected> rejected_;
    QStringList warnings_;
    QString error_;
};
