#include "platform/sqlite/SqliteTypeMap.h"

#include "platform/AdoType.h"

#include <QRegularExpression>
#include <cmath>

SqliteTypeMap::Type SqliteTypeMap::adoType(const QString& declaredType) {
    const QString decl = declaredType.trimmed().toUpper();
    static const QRegularExpression sized(QStringLiteral("^([A-Z0-9_ ]*?)\\s*\\(\\s*(\\d+)"));
    QString base = decl;
    int length = -1;
    if (const auto m = sized.match(decl); m.hasMatch()) {
        base = m.captured(1).trimmed();
        length = m.captured(2).toInt();
    } else if (const int p = decl.indexOf(QLatin1Char('(')); p >= 0) {
        base = decl.left(p).trimmed();
    }
    auto is = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (base == QLatin1String(n))
                return true;
        return false;
    };
    if (base.isEmpty())
        return {AdoType::Variant, -1};
    if (is({"BOOLEAN", "BOOL", "BIT", "YESNO", "LOGICAL"}))
        return {AdoType::Boolean, -1};
    if (is({"TINYINT", "BYTE"}))
        return {AdoType::UnsignedTinyInt, -1};
    if (is({"SMALLINT", "SHORT", "INT2"}))
        return {AdoType::SmallInt, -1};
    if (is({"BIGINT", "INT8", "UNSIGNED BIG INT"}))
        return {AdoType::BigInt, -1};
    if (is({"INTEGER", "INT", "MEDIUMINT", "LONG", "COUNTER", "INT4"}))
        return {AdoType::Integer, -1};
    if (is({"FLOAT", "SINGLE", "FLOAT4"}))
        return {AdoType::Single, -1};
    if (is({"DOUBLE", "DOUBLE PRECISION", "REAL", "FLOAT8"}))
        return {AdoType::Double, -1};
    if (is({"CURRENCY", "MONEY"}))
        return {AdoType::Currency, -1};
    if (is({"NUMERIC", "DECIMAL"}))
        return {AdoType::Numeric, -1};
    if (is({"DATETIME", "DATE", "TIMESTAMP", "TIME"}))
        return {AdoType::Date, -1};
    if (is({"VARCHAR", "NVARCHAR", "CHAR", "NCHAR", "CHARACTER", "VARYING CHARACTER", "STRING",
            "NATIVE CHARACTER"}))
        return {AdoType::VarWChar, length};
    if (is({"TEXT", "CLOB", "MEMO", "LONGTEXT"}))
        return length >= 0 ? Type{AdoType::VarWChar, length} : Type{AdoType::LongVarWChar, -1};
    if (is({"BLOB"}))
        return {AdoType::LongVarBinary, -1};
    // SQLite's own affinity rules for everything else.
    if (base.contains(QLatin1String("INT")))
        return {AdoType::Integer, -1};
    if (base.contains(QLatin1String("CHAR")) || base.contains(QLatin1String("CLOB")) ||
        base.contains(QLatin1String("TEXT")))
        return {AdoType::VarWChar, length};
    if (base.contains(QLatin1String("BLOB")))
        return {AdoType::LongVarBinary, -1};
    if (base.contains(QLatin1String("REAL")) || base.contains(QLatin1String("FLOA")) ||
        base.contains(QLatin1String("DOUB")))
        return {AdoType::Double, -1};
    return {AdoType::Numeric, -1};
}

int SqliteTypeMap::declaredCode(sqlite3_stmt* statement, int index) {
    const char* decl = sqlite3_column_decltype(statement, index);
    return decl ? adoType(QString::fromUtf8(decl)).code : AdoType::Variant;
}

CellValue SqliteTypeMap::read(sqlite3_stmt* statement, int index) {
    return read(statement, index, declaredCode(statement, index));
}

CellValue SqliteTypeMap::read(sqlite3_stmt* statement, int index, int code) {
    const int type = sqlite3_column_type(statement, index);
    if (type == SQLITE_NULL)
        return CellValue::null();
    switch (type) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 v = sqlite3_column_int64(statement, index);
        if (code == AdoType::Boolean)
            return CellValue::boolean(v != 0);
        return CellValue::number(double(v));
    }
    case SQLITE_FLOAT:
        return CellValue::number(sqlite3_column_double(statement, index));
    case SQLITE_TEXT: {
        const QString text =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, index)),
                              sqlite3_column_bytes(statement, index));
        if (code == AdoType::Date) {
            // A text that is no date stays the text: the person sees what is stored.
            const CellValue asText = CellValue::text(text);
            if (const auto d = asText.toDate())
                return CellValue::date(*d);
            return asText;
        }
        return CellValue::text(text);
    }
    default: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, index));
        return CellValue::text(QString::fromUtf8(bytes, sqlite3_column_bytes(statement, index)));
    }
    }
}

int SqliteTypeMap::bind(sqlite3_stmt* statement, int index, const CellValue& value) {
    switch (value.kind()) {
    case CellValue::Kind::Empty:
    case CellValue::Kind::Null:
        return sqlite3_bind_null(statement, index);
    case CellValue::Kind::Number: {
        const double v = *value.toNumber();
        if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 9.2e18)
            return sqlite3_bind_int64(statement, index, sqlite3_int64(v));
        return sqlite3_bind_double(statement, index, v);
    }
    case CellValue::Kind::Boolean:
        return sqlite3_bind_int(statement, index, *value.toBoolean() ? 1 : 0);
    case CellValue::Kind::Text:
    case CellValue::Kind::Date: {
        const QByteArray utf8 = value.toText().toUtf8();
        return sqlite3_bind_text64(statement, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                                   SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    }
    return SQLITE_MISUSE;
}
