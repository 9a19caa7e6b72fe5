#include "platform/legacy/JetTableReader.h"

#include "platform/legacy/JetDate.h"

namespace {

QString takeText(gchar* s) {
    const QString text = QString::fromUtf8(s ? s : "");
    g_free(s);
    return text;
}

CellValue numberFromText(const QString& text) {
    const CellValue t = CellValue::text(text);
    if (const auto n = t.toNumber())
        return CellValue::number(*n);
    return t;
}

} // namespace

JetTableReader::JetTableReader(MdbTableDef* table)
    : table_(table) {
    columnIndex_.assign(table->num_cols, -1);
    for (unsigned i = 0; i < table->num_cols; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        if (col->col_type == MDB_COMPLEX) {
            warnings_ << QStringLiteral("Table %1: column %2 holds attachments or multiple values "
                                        "and was left out")
                             .arg(QString::fromUtf8(table->name), QString::fromUtf8(col->name));
            continue;
        }
        columnIndex_[i] = int(columns_.size());
        columns_.push_back(col);
    }
    warned_.assign(columns_.size(), false);
}

void JetTableReader::warnOnce(MdbColumn* column, const QString& text) {
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i] == column) {
            if (warned_[i])
                return;
            warned_[i] = true;
        }
    warnings_ << text;
}

CellValue JetTableReader::value(MdbColumn* col, const MdbField& f, qint64 rowNumber) {
    MdbHandle* mdb = table_->entry->mdb;
    const unsigned char* buf = mdb->pg_buf;
    if (col->col_type == MDB_BOOL)
        return CellValue::boolean(!f.is_null); // Jet keeps a Yes/No value in the null bit
    if (f.is_null)
        return CellValue::null();
    const QString where = QStringLiteral("Table %1, column %2")
                              .arg(QString::fromUtf8(table_->name), QString::fromUtf8(col->name));
    switch (col->col_type) {
    case MDB_BYTE:
        return CellValue::number(buf[f.start]);
    case MDB_INT:
    case MDB_LONGINT:
        return numberFromText(
            takeText(mdb_col_to_string(mdb, mdb->pg_buf, f.start, col->col_type, f.siz)));
    case MDB_FLOAT:
        return CellValue::number(double(mdb_get_single(mdb->pg_buf, f.start)));
    case MDB_DOUBLE:
        return CellValue::number(mdb_get_double(mdb->pg_buf, f.start));
    case MDB_MONEY:
        return numberFromText(takeText(mdb_money_to_string(mdb, f.start)));
    case MDB_NUMERIC:
        return numberFromText(
            takeText(mdb_numeric_to_string(mdb, f.start, col->col_scale, col->col_prec)));
    case MDB_DATETIME: {
        const double stored = mdb_get_double(mdb->pg_buf, f.start);
        if (const auto d = JetDate::toDateTime(stored))
            return CellValue::date(*d);
        warnings_ << QStringLiteral("%1, row %2: the stored date %3 lies outside the Jet calendar "
                                    "and was imported as Null")
                         .arg(where)
                         .arg(rowNumber)
                         .arg(CellValue::formatNumber(stored));
        return CellValue::null();
    }
    case MDB_TEXT:
    case MDB_MEMO:
        return CellValue::text(
            takeText(mdb_col_to_string(mdb, mdb->pg_buf, f.start, col->col_type, f.siz)));
    case MDB_REPID:
        return CellValue::text(takeText(mdb_uuid_to_string(mdb->pg_buf, f.start)));
    default:
        warnOnce(col, where + QStringLiteral(": OLE and binary data are not imported (Null)"));
        return CellValue::null();
    }
}

bool JetTableReader::forEachRow(const std::function<bool(const std::vector<CellValue>&)>& row) {
    MdbHandle* mdb = table_->entry->mdb;
    std::vector<MdbField> fields(table_->num_cols ? table_->num_cols : 1);
    std::vector<CellValue> values(columns_.size());
    qint64 rowNumber = 0;
    mdb_rewind_table(table_);
    while (mdb_fetch_row(table_)) {
        ++rowNumber;
        // mdb_fetch_row has left the row's page in pg_buf; crack the row again to learn which
        // fields are Null, which the bound-text interface cannot tell from an empty text.
        int start = 0;
        size_t length = 0;
        if (mdb_find_row(mdb, int(table_->cur_row) - 1, &start, &length) != 0)
            continue;
        start &= 0x1fff;
        const int n = mdb_crack_row(table_, start, length, fields.data());
        std::fill(values.begin(), values.end(), CellValue::null());
        for (int i = 0; i < n && i < int(table_->num_cols); ++i) {
            const int at = fields[size_t(i)].colnum;
            if (at < 0 || at >= int(columnIndex_.size()) || columnIndex_[size_t(at)] < 0)
                continue;
            MdbColumn* col = columns_[size_t(columnIndex_[size_t(at)])];
            values[size_t(columnIndex_[size_t(at)])] = value(col, fields[size_t(i)], rowNumber);
        }
        if (!row(values))
            return false;
    }
    return true;
}
