#include "grid/GridTarget.h"

#include "grid/GridRowSource.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"

std::optional<RowSet> GridTarget::allRows() const {
    if (!database)
        return std::nullopt;
    GridRowSource source(*database, statement, sortText);
    if (!source.open())
        return std::nullopt;
    return source.rows(0, int(std::min<qsizetype>(source.rowCount(), INT_MAX)));
}

std::optional<RowSet> GridTarget::rowsToWrite(Dialogs& dialogs) const {
    if (!writable()) {
        dialogs.message(MessageKind::Exclamation,
                        QStringLiteral("The records of this grid cannot be changed: table ") +
                            table + QStringLiteral(" has no primary key in the grid."));
        return std::nullopt;
    }
    std::optional<RowSet> rows = allRows();
    if (!rows)
        showError(dialogs, QStringLiteral("The records cannot be read."));
    return rows;
}

void GridTarget::showError(Dialogs& dialogs, const QString& what) const {
    dialogs.message(MessageKind::Exclamation,
                    what + QStringLiteral("\r\n") + (database ? database->lastError() : QString()));
}

QString GridTarget::columnName(const std::optional<RowSet>& rows, int column) {
    return rows && column >= 0 && column < rows->columnCount() ? rows->columnNames()[column]
                                                               : QString();
}

std::optional<std::pair<QString, std::vector<CellValue>>>
GridTarget::keyCondition(const RowSet& rows, const RowSet::Row& row) const {
    QStringList parts;
    std::vector<CellValue> values;
    for (const QString& k : key) {
        const int c = rows.columnIndex(k);
        if (c < 0 || row[size_t(c)].isMissing())
            return std::nullopt;
        parts << JetSqlQuoting::name(k) + QStringLiteral(" = ?");
        values.push_back(row[size_t(c)]);
    }
    if (parts.isEmpty())
        return std::nullopt;
    return std::pair{QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND ")), values};
}

bool GridTarget::writeField(const std::pair<QString, std::vector<CellValue>>& where,
                            const QString& field, const CellValue& value) const {
    std::vector<CellValue> values{value};
    values.insert(values.end(), where.second.begin(), where.second.end());
    return database
        ->execute(QStringLiteral("UPDATE ") + JetSqlQuoting::name(table) + QStringLiteral(" SET ") +
                      JetSqlQuoting::name(field) + QStringLiteral(" = ?") + where.first,
                  values)
        .has_value();
}
