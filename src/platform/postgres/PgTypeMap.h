#pragma once
// Maps PostgreSQL types to ADO type codes, result fields to cells and cells to parameter texts.
// Stateless.
#include "platform/CellValue.h"
#include "platform/postgres/PgHandles.h"

#include <QByteArray>
#include <optional>

class PgTypeMap {
public:
    struct Type {
        int code;
        int maxLength;
    };
    // typeName as pg_type.typname (int4, varchar, ...), typmod as pg_attribute.atttypmod.
    static Type adoType(const QString& typeName, int typmod);
    static CellValue read(const PGresult* result, int row, int column);
    // The text form of a bound value; nullopt for Null (and for Empty, which binds as Null).
    static std::optional<QByteArray> parameterText(const CellValue& value);
};
