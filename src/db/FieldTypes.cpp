#include "db/FieldTypes.h"

#include "db/ConnectionFactory.h"
#include "platform/Connection.h"

#include <algorithm>

QString FieldTypes::nameForCode(int code) {
    auto in = [code](std::initializer_list<int> codes) {
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    };
    if (in({20, 205, 21}))
        return QStringLiteral("LONG");
    if (in({11, 3, 2, 16, 19, 18, 17, 204}))
        return QStringLiteral("INTEGER");
    if (in({7, 133, 134, 135}))
        return QStringLiteral("DATE");
    if (in({14, 131, 4}))
        return QStringLiteral("SINGLE");
    if (code == 5)
        return QStringLiteral("DOUBLE");
    if (in({8, 129, 6, 0, 10, 72, 9, 13, 201, 203, 132, 200, 12, 202, 130}))
        return QStringLiteral("TEXT");
    return {};
}

std::optional<FieldType> FieldTypes::GetFieldType(Connection& database, const QString& table,
                                                  const QString& field) {
    const auto columns = database.columns();
    if (!columns)
        return std::nullopt;
    for (const ColumnDescription& c : *columns)
        if (c.table == table && c.name == field)
            return FieldType{nameForCode(c.typeCode), c.maxLength};
    return std::nullopt;
}

std::optional<FieldType> FieldTypes::GetFieldType(const QString& databasePath, const QString& table,
                                                  const QString& field) {
    OpenedConnection opened = ConnectionFactory::open(databasePath);
    if (!opened.ok())
        return std::nullopt;
    return GetFieldType(*opened.connection, table, field);
}
