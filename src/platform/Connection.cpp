#include "platform/Connection.h"

bool Connection::forEachRow(const QString& jetSql, const RowVisitor& visit,
                            const std::vector<CellValue>& values) {
    const auto rows = query(jetSql, values);
    if (!rows)
        return false;
    for (qsizetype r = 0; r < rows->rowCount(); ++r)
        visit(rows->row(r));
    return true;
}
