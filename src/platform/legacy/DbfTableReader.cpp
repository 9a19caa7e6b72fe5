#include "platform/legacy/DbfTableReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// shapelib opens files by names it builds itself (the base name with ".dbf" or ".DBF", then
// ".cpg" or ".CPG") and reports errors through a hook without a context pointer. The hooks below
// hand it the files that are really there, whatever the case of their extension, never for
// writing, and keep its last error text for the message.
struct OpenRequest {
    QByteArray dbf;
    QByteArray cpg; // empty when the file has none
};
thread_local const OpenRequest* pendingOpen = nullptr;
thread_local QString lastLibraryError;

SAFile openRequested(const char* name, const char* access) {
    const QByteArray wanted = QByteArray(name).toLower();
    const QByteArray mode(access);
    if (!pendingOpen || mode.contains('w') || mode.contains('+') || mode.contains('a'))
        return nullptr;
    const QByteArray& file = wanted.endsWith(".dbf")   ? pendingOpen->dbf
                             : wanted.endsWith(".cpg") ? pendingOpen->cpg
                                                       : QByteArray();
    if (file.isEmpty())
        return nullptr;
    return reinterpret_cast<SAFile>(std::fopen(file.constData(), mode.constData()));
}

void rememberError(const char* message) {
    lastLibraryError = QString::fromLocal8Bit(message);
}

QString companion(const QFileInfo& dbf, const QString& extension) {
    const QString wanted = (dbf.completeBaseName() + extension).toLower();
    for (const QFileInfo& f : dbf.dir().entryInfoList(QDir::Files))
        if (f.fileName().toLower() == wanted)
            return f.filePath();
    return {};
}

qint64 littleEndian(const QByteArray& bytes, int at, int size) {
    quint64 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return qint64(value);
}

// dBase pads values with blanks (some writers with NULs) after them.
QByteArrayView withoutPadding(QByteArrayView raw) {
    while (!raw.isEmpty() && (raw.back() == ' ' || raw.back() == '\0'))
        raw.chop(1);
    return raw;
}

QByteArrayView trimmed(QByteArrayView raw) {
    raw = withoutPadding(raw);
    while (!raw.isEmpty() && raw.front() == ' ')
        raw = raw.sliced(1);
    return raw;
}

} // namespace

DbfTableReader::DbfTableReader(const QString& path)
    : fileName_(QFileInfo(path).fileName()) {
    if (!checkHeader(path))
        return;
    const QFileInfo info(path);
    const OpenRequest request{QFile::encodeName(info.filePath()),
                              QFile::encodeName(companion(info, QStringLiteral(".cpg")))};
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FOpen = openRequested;
    hooks.Error = rememberError;
    lastLibraryError.clear();
    pendingOpen = &request;
    dbf_.reset(DBFOpenLL(request.dbf.constData(), "rb", &hooks));
    pendingOpen = nullptr;
    if (!dbf_) {
        error_ =
            QStringLiteral("The file ") + path + QStringLiteral(" is not a readable dBase file");
        if (!lastLibraryError.isEmpty())
            error_ += QStringLiteral(": ") + lastLibraryError;
        return;
    }
    const char* codePage = DBFGetCodePage(dbf_.get());
    codec_.emplace(codePage ? QString::fromLatin1(codePage) : QString());
    if (!codec_->warning().isEmpty())
        warnings_ << fileName_ + QStringLiteral(": ") + codec_->warning();
    readFields();
    if (ok())
        checkRecordCount();
}

// shapelib trusts the header: it reads the records from where the header length says they
// begin and as many as the record count says, past the end of a cut file as blank records.
// The header is checked against the file's field list and size first, so that no record is
// read shifted, made up or left out.
bool DbfTableReader::checkHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("The file ") + path + QStringLiteral(" cannot be read: ") +
                 file.errorString();
        return false;
    }
    const QByteArray header = file.read(32);
    if (header.size() < 32) {
        error_ = QStringLiteral("The file ") + path + QStringLiteral(" is not a dBase file");
        return false;
    }
    if ((header[0] & 0x07) == 4) { // 48-byte field descriptors, which shapelib would misread
        error_ = QStringLiteral("The file ") + path +
                 QStringLiteral(" is a dBase 7 file, which cannot be read; save it as dBase IV");
        return false;
    }
    const qint64 records = littleEndian(header, 4, 4);
    const qint64 headerLength = littleEndian(header, 8, 2);
    recordLength_ = int(littleEndian(header, 10, 2));
    if (headerLength < 33 || recordLength_ < 1 || records > std::numeric_limits<int>::max()) {
        error_ = QStringLiteral("The file ") + path + QStringLiteral(" is not a dBase file");
        return false;
    }
    const auto damaged = [&](const QString& why) {
        error_ = QStringLiteral("The file %1 is damaged: %2").arg(path, why);
        return false;
    };
    // The field list: 32-byte descriptors from byte 32, ended by a 0x0D byte. Writers may put
    // more after it (a 0x00, a 263-byte backlink), never less.
    const QByteArray descriptors = file.read(65536); // a header is never longer

    qint64 fieldsEnd = 0;
    for (qsizetype at = 0; at < descriptors.size(); at += 32) {
        if (descriptors[at] == '\x0d') {
            fieldsEnd = 32 + at + 1;
            break;
        }
    }
    if (fieldsEnd > headerLength)
        return damaged(QStringLiteral("its header length of %1 bytes ends inside its field list, "
                                      "which ends at byte %2")
                           .arg(headerLength)
                           .arg(fieldsEnd));
    const qint64 size = file.size();
    if (size < headerLength)
        return damaged(
            QStringLiteral("its header announces %1 records, but it ends after 0").arg(records));
    const qint64 announced = records * recordLength_;
    // The records fill the rest of the file, but for an end-of-file byte after them, and each
    // begins with its deletion flag, a blank or '*'.
    const auto fits = [&](qint64 start) {
        return size - start == announced || size - start == announced + 1;
    };
    const auto flagAt = [&](qint64 start) {
        char flag = 0;
        return records == 0 ||
               (file.seek(start) && file.getChar(&flag) && (flag == ' ' || flag == '*'));
    };
    const bool startsRight = flagAt(headerLength);
    if ((!fits(headerLength) || !startsRight) && fieldsEnd > 0 && fieldsEnd != headerLength &&
        fits(fieldsEnd) && flagAt(fieldsEnd))
        return damaged(QStringLiteral("its header says its records begin at byte %1, but they "
                                      "begin at byte %2, right after its field list")
                           .arg(headerLength)
                           .arg(fieldsEnd));
    const qint64 complete = (size - headerLength) / recordLength_;
    if (complete < records)
        return damaged(QStringLiteral("its header announces %1 records, but it ends after %2")
                           .arg(records)
                           .arg(complete));
    if (!startsRight)
        return damaged(QStringLiteral("its first record does not begin at byte %1, where its "
                                      "header says the records begin")
                           .arg(headerLength));
    recordsInFile_ = complete;
    trailingBytes_ = size - headerLength - complete * recordLength_;
    records_ = int(records);
    return true;
}

// After the fields are known to fit in a record: more records in the file than the header
// announces would be left out without a word.
bool DbfTableReader::checkRecordCount() {
    if (recordsInFile_ > records_) {
        error_ = QStringLiteral("The file %1 is damaged: its header announces %2 records, but it "
                                "holds %3")
                     .arg(fileName_)
                     .arg(records_)
                     .arg(recordsInFile_);
        return false;
    }
    if (trailingBytes_ > 1)
        warnings_ << fileName_ +
                         QStringLiteral(": %1 bytes after its last record, too few for a record, "
                                        "were not read")
                             .arg(trailingBytes_);
    return true;
}

void DbfTableReader::readFields() {
    const int count = DBFGetFieldCount(dbf_.get());
    int offset = 1;
    for (int i = 0; i < count; ++i) {
        char name[XBASE_FLDNAME_LEN_READ + 1] = {};
        Field f;
        DBFGetFieldInfo(dbf_.get(), i, name, &f.width, &f.decimals);
        f.name = codec_->decode(trimmed(QByteArrayView(name, qstrnlen(name, sizeof name))));
        f.type = char(DBFGetNativeFieldType(dbf_.get(), i));
        // shapelib refuses such files itself; checked again so that no field is ever read
        // past the end of its record.
        if (f.width < 1 || offset + f.width > recordLength_) {
            error_ = QStringLiteral("The file %1 is damaged: its field %2 lies outside the record")
                         .arg(fileName_, f.name);
            return;
        }
        offsets_.push_back(offset);
        offset += f.width;
        fields_.push_back(f);
    }
    rejected_.assign(fields_.size(), Rejected());
    for (size_t i = 0; i < fields_.size(); ++i) {
        const char type = fields_[i].type;
        if (type == 'M')
            warnings_ << where(i) +
                             QStringLiteral(": memo texts are kept in a .dbt file, which is not "
                                            "read; the field was imported as Null");
        else if (!QByteArrayView("CNFLD").contains(type))
            warnings_ << where(i) +
                             QStringLiteral(": the dBase type '%1' is not read; the field was "
                                            "imported as Null")
                                 .arg(QLatin1Char(type));
    }
}

QString DbfTableReader::where(size_t field) const {
    return QStringLiteral("File %1, field %2").arg(fileName_, fields_[field].name);
}

CellValue DbfTableReader::reject(size_t field, QByteArrayView raw, int record) {
    Rejected& r = rejected_[field];
    if (r.count++ == 0) {
        r.firstRecord = record;
        r.firstValue = codec_->decode(trimmed(raw));
    }
    return CellValue::null();
}

CellValue DbfTableReader::value(size_t field, QByteArrayView raw, int record) {
    const QByteArrayView text = trimmed(raw);
    switch (fields_[field].type) {
    case 'C': {
        const QByteArrayView stored = withoutPadding(raw); // blanks before a text belong to it
        return stored.isEmpty() ? CellValue::null() : CellValue::text(codec_->decode(stored));
    }
    case 'N':
    case 'F': {
        if (text.isEmpty() || text.front() == '*') // blank, or stars for a value too wide
            return CellValue::null();
        bool ok = false;
        const double number = QByteArray(text.data(), text.size()).toDouble(&ok);
        return ok && std::isfinite(number) ? CellValue::number(number) : reject(field, raw, record);
    }
    case 'L':
        if (text.isEmpty() || text == "?")
            return CellValue::null();
        if (text.size() == 1 && QByteArrayView("TtYy").contains(text.front()))
            return CellValue::boolean(true);
        if (text.size() == 1 && QByteArrayView("FfNn").contains(text.front()))
            return CellValue::boolean(false);
        return reject(field, raw, record);
    case 'D': {
        if (text.isEmpty() || text == "00000000")
            return CellValue::null();
        bool digits = text.size() == 8;
        for (char c : text)
            digits = digits && c >= '0' && c <= '9';
        if (!digits)
            return reject(field, raw, record);
        const QByteArray d(text.data(), text.size());
        const QDate date(d.left(4).toInt(), d.mid(4, 2).toInt(), d.mid(6, 2).toInt());
        return date.isValid() ? CellValue::date(date) : reject(field, raw, record);
    }
    default: // memo and unread types, reported once in readFields()
        return CellValue::null();
    }
}

void DbfTableReader::reportRejected() {
    for (size_t i = 0; i < fields_.size(); ++i) {
        const Rejected& r = rejected_[i];
        if (r.count == 0)
            continue;
        const char type = fields_[i].type;
        const QString kind = type == 'D'   ? QStringLiteral("dates")
                             : type == 'L' ? QStringLiteral("logical values")
                                           : QStringLiteral("numbers");
        warnings_ << where(i) +
                         QStringLiteral(": %1 value(s) that are no valid %2 were imported as Null "
                                        "(the first in record %3: \"%4\")")
                             .arg(r.count)
                             .arg(kind)
                             .arg(r.firstRecord)
                             .arg(r.firstValue);
    }
    rejected_.assign(fields_.size(), Rejected());
}

bool DbfTableReader::forEachRow(const std::function<bool(const std::vector<CellValue>&)>& row) {
    if (!ok())
        return false;
    std::vector<CellValue> values(fields_.size());
    for (int record = 0; record < records_; ++record) {
        lastLibraryError.clear();
        const char* tuple = DBFReadTuple(dbf_.get(), record);
        if (!tuple) {
            error_ = QStringLiteral("The file %1: record %2 cannot be read")
                         .arg(fileName_)
                         .arg(record + 1);
            if (!lastLibraryError.isEmpty())
                error_ += QStringLiteral(": ") + lastLibraryError;
            return false;
        }
        if (DBFIsRecordDeleted(dbf_.get(), record))
            continue;
        for (size_t i = 0; i < fields_.size(); ++i)
            values[i] = value(i, QByteArrayView(tuple + offsets_[i], fields_[i].width), record + 1);
        if (!row(values))
            return false;
    }
    reportRejected();
    return true;
}
