#include "query/FieldAliases.h"

#include "platform/Connection.h"
#include "platform/JetSqlQuoting.h"

FieldAliases::FieldAliases(Opener open, QString userName, QString aliasTable)
    : open_(std::move(open))
    , userName_(std::move(userName))
    , aliasTable_(std::move(aliasTable)) {}

QString FieldAliases::get(const QString& table, const QString& field) const {
    if (!open_ || table.isEmpty() || field.isEmpty())
        return {};
    OpenedConnection opened = open_();
    if (!opened.ok())
        return {};
    // The user is compared here rather than in SQL: case-insensitively in every engine and for
    // every letter, where SQL's LOWER differs between engines.
    const auto rows = opened.connection->query(
        QStringLiteral("SELECT [User], [Alias] FROM ") + JetSqlQuoting::name(aliasTable_) +
            QStringLiteral(" WHERE [Table] = ? AND [Field] = ? ORDER BY [AliasID] DESC"),
        {CellValue::text(table), CellValue::text(field)});
    if (!rows)
        return {};
    for (qsizetype r = 0; r < rows->rowCount(); ++r)
        if (rows->at(r, 0).toText().compare(userName_, Qt::CaseInsensitive) == 0)
            return rows->at(r, 1).isNull() ? QString() : rows->at(r, 1).toText();
    return {};
}

bool FieldAliases::put(const QString& table, const QString& field, const QString& alias) const {
    if (!open_ || table.isEmpty() || field.isEmpty() || alias.isEmpty())
        return false;
    OpenedConnection opened = open_();
    if (!opened.ok())
        return false;
    Connection& db = *opened.connection;
    const QString name = JetSqlQuoting::name(aliasTable_);
    const auto last = db.query(QStringLiteral("SELECT MAX([AliasID]) FROM ") + name);
    if (!last || last->rowCount() != 1)
        return false;
    const double next = last->at(0, 0).toNumber().value_or(0) + 1;
    return db
        .execute(QStringLiteral("INSERT INTO ") + name +
                     QStringLiteral(" ([AliasID], [User], [Table], [Field], [Alias]) "
                                    "VALUES (?, ?, ?, ?, ?)"),
                 {CellValue::number(next), CellValue::text(userName_), CellValue::text(table),
                  CellValue::text(field), CellValue::text(alias)})
        .has_value();
}
