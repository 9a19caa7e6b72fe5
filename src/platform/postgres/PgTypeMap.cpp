#include "platform/postgres/PgTypeMap.h"

#include "platform/AdoType.h"

namespace {
// Type OIDs from pg_type.h; fixed in every server version.
enum : Oid {
    BoolOid = 16,
    Int8Oid = 20,
    Int2Oid = 21,
    Int4Oid = 23,
    OidOid = 26,
    Float4Oid = 700,
    Float8Oid = 701,
    NumericOid = 1700,
    DateOid = 1082,
    TimeOid = 1083,
    TimestampOid = 1114,
    TimestampTzOid = 1184,
};
} // namespace

PgTypeMap::Type PgTypeMap::adoType(const QString& t, int typmod) {
    if (t == QLatin1String("int4"))
        return {AdoType::Integer, -1};
    if (t == QLatin1String("int2"))
        return {AdoType::SmallInt, -1};
    if (t == QLatin1String("int8") || t == QLatin1String("oid"))
        return {AdoType::BigInt, -1};
    if (t == QLatin1String("float4"))
        return {AdoType::Single, -1};
    if (t == QLatin1String("float8"))
        return {AdoType::Double, -1};
    if (t == QLatin1String("numeric"))
        return {AdoType::Numeric, -1};
    if (t == QLatin1String("money"))
        return {AdoType::Currency, -1};
    if (t == QLatin1String("bool"))
        return {AdoType::Boolean, -1};
    if (t == QLatin1String("varchar"))
        return {AdoType::VarWChar, typmod > 4 ? typmod - 4 : -1};
    if (t == QLatin1String("bpchar"))
        return {AdoType::WChar, typmod > 4 ? typmod - 4 : -1};
    if (t == QLatin1String("text") || t == QLatin1String("name"))
        return {AdoType::LongVarWChar, -1};
    if (t == QLatin1String("date"))
        return {AdoType::DbDate, -1};
    if (t == QLatin1String("timestamp") || t == QLatin1String("timestamptz"))
        return {AdoType::DbTimeStamp, -1};
    if (t == QLatin1String("time") || t == QLatin1String("timetz"))
        return {AdoType::DbTime, -1};
    if (t == QLatin1String("bytea"))
        return {AdoType::LongVarBinary, -1};
    if (t == QLatin1String("uuid"))
        return {AdoType::Guid, -1};
    return {AdoType::Variant, -1};
}

CellValue PgTypeMap::read(const PGresult* result, int row, int column) {
    if (PQgetisnull(result, row, column))
        return CellValue::null();
    const QString text =
        QString::fromUtf8(PQgetvalue(result, row, column), PQgetlength(result, row, column));
    switch (PQftype(result, column)) {
    case BoolOid:
        return CellValue::boolean(text == QLatin1String("t"));
    case Int2Oid:
    case Int4Oid:
    case Int8Oid:
    case OidOid:
    case Float4Oid:
    case Float8Oid:
    case NumericOid: {
        const CellValue asText = CellValue::text(text);
        if (const auto n = asText.toNumber())
            return CellValue::number(*n);
        if (text == QLatin1String("NaN"))
            return CellValue::number(std::numeric_limits<double>::quiet_NaN());
        return asText;
    }
    case DateOid:
    case TimestampOid:
    case TimestampTzOid: {
        // "infinity" and BC dates have no cell form; they stay the server's text.
        const CellValue asText = CellValue::text(text.left(19));
        if (text.size() >= 10 && !text.endsWith(QLatin1String(" BC"))) {
            QDateTime d = QDateTime::fromString(text.left(23), Qt::ISODateWithMs);
            if (!d.isValid())
                if (const auto d2 = asText.toDate())
                    d = *d2;
            if (d.isValid())
                return CellValue::date(d);
        }
        return CellValue::text(text);
    }
    case TimeOid: {
        // Jet keeps a time of day on the day zero of its calendar.
        const QTime t = QTime::fromString(text.left(12), Qt::ISODateWithMs);
        if (t.isValid())
            return CellValue::date(QDateTime(QDate(1899, 12, 30), t, Qt::UTC));
        return CellValue::text(text);
    }
    default:
        return CellValue::text(text);
    }
}

std::optional<QByteArray> PgTypeMap::parameterText(const CellValue& value) {
    switch (value.kind()) {
    case CellValue::Kind::Empty:
    case CellValue::Kind::Null:
        return std::nullopt;
    case CellValue::Kind::Boolean:
        return *value.toBoolean() ? QByteArray("true") : QByteArray("false");
    default:
        return value.toText().toUtf8();
    }
}
