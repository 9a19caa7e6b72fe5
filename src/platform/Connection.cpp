#include "platform/Connection.h"

#include "platform/JetSqlQuoting.h"

bool Connection::forEachRow(const QString& jetSql, const RowVisitor& visit,
                            const std::vector<CellValue>& values) {
    const auto rows = query(jetSql, values);
    if (!rows)
        return false;
    for (qsizetype r = 0; r < rows->rowCount(); ++r)
        visit(rows->row(r));
    return true;
}

std::optional<QStringList> Connection::columnNamesOf(const QString& tableOrView) {
    const auto rows = query(QStringLiteral("SELECT * FROM ") + JetSqlQuoting::name(tableOrView) +
                            QStringLiteral(" WHERE 1=0"));
    if (!rows)
        return std::nullopt;
    return rows->columnNames();
}
