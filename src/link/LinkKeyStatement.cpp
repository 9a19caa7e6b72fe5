#include "link/LinkKeyStatement.h"

#include "platform/AdoType.h"
#include "platform/Connection.h"
#include "platform/JetSqlQuoting.h"
#include "platform/NumberText.h"

namespace {

bool isNumericType(int code) {
    switch (code) {
    case AdoType::SmallInt:
    case AdoType::Integer:
    case AdoType::Single:
    case AdoType::Double:
    case AdoType::Currency:
    case AdoType::TinyInt:
    case AdoType::UnsignedTinyInt:
    case AdoType::BigInt:
    case AdoType::Numeric:
        return true;
    default:
        return false;
    }
}

bool isTextType(int code) {
    return code == AdoType::WChar || code == AdoType::VarWChar || code == AdoType::LongVarWChar;
}

// The key as SQL text for a column of the type; empty when it cannot be a key of that column.
QString keyLiteral(const QString& key, int typeCode) {
    const std::optional<double> number =
        isTextType(typeCode) ? std::nullopt : NumberText::fromText(key);
    if (number)
        return NumberText::toText(*number);
    if (isNumericType(typeCode))
        return {};
    return JetSqlQuoting::text(key);
}

} // namespace

LinkKeyStatement LinkKeyStatement::build(const LinkContent& content, Connection& db) {
    LinkKeyStatement result;
    const QString wantedTable = content.tableName.trimmed();
    QString table;
    if (const auto tables = db.tables())
        for (const TableDescription& t : *tables)
            if (t.kind != TableDescription::Kind::SystemTable &&
                t.name.compare(wantedTable, Qt::CaseInsensitive) == 0)
                table = t.name;
    if (table.isEmpty()) {
        result.error =
            QStringLiteral("Table ") + wantedTable + QStringLiteral(" is not in the database");
        return result;
    }
    const QString wantedKey = content.keyFields.trimmed();
    QString key;
    QString linkColumn;
    int keyType = AdoType::Variant;
    if (const auto columns = db.columns())
        for (const ColumnDescription& c : *columns) {
            if (c.table != table)
                continue;
            if (!wantedKey.isEmpty() && c.name.compare(wantedKey, Qt::CaseInsensitive) == 0) {
                key = c.name;
                keyType = c.typeCode;
            }
            if (c.name.compare(QLatin1String("OMSLINK"), Qt::CaseInsensitive) == 0)
                linkColumn = c.name;
        }
    if (!wantedKey.isEmpty() && key.isEmpty()) {
        result.error =
            QStringLiteral("Field ") + wantedKey + QStringLiteral(" is not in table ") + table;
        return result;
    }
    const QString t = JetSqlQuoting::name(table);
    const QString first = key.isEmpty() ? linkColumn : key;
    result.statement = QStringLiteral("SELECT ") +
                       (first.isEmpty() ? QString()
                                        : t + QLatin1Char('.') + JetSqlQuoting::name(first) +
                                              QStringLiteral(", ")) +
                       t + QStringLiteral(".* FROM ") + t;
    QStringList values;
    for (const QString& value : content.keyData.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (value.trimmed().isEmpty())
            continue;
        result.hasKeys = true;
        const QString literal = keyLiteral(value.trimmed(), keyType);
        if (!literal.isEmpty() && !values.contains(literal))
            values << literal;
    }
    if (!result.hasKeys)
        return result;
    if (key.isEmpty()) {
        result.error = QStringLiteral("No key field came for the key values of table ") + table;
        return result;
    }
    result.statement +=
        QStringLiteral(" WHERE ") +
        (values.isEmpty()
             ? QStringLiteral("1 = 0")
             : t + QLatin1Char('.') + JetSqlQuoting::name(key) + QStringLiteral(" IN (") +
                   values.join(QStringLiteral(", ")) + QLatin1Char(')'));
    return result;
}
