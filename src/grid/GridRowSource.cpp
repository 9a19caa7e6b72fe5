#include "grid/GridRowSource.h"

#include "platform/Connection.h"

GridRowSource::GridRowSource(Connection& database, QString statement, QString sortText)
    : database_(database)
    , statement_(std::move(statement))
    , sortText_(std::move(sortText)) {}

QString GridRowSource::derived() const {
    QString inner = statement_.trimmed();
    while (inner.endsWith(QLatin1Char(';')))
        inner = inner.chopped(1).trimmed();
    return QStringLiteral("(") + inner + QStringLiteral(") AS quv_grid");
}

bool GridRowSource::open() {
    error_.clear();
    const auto counted = database_.query(QStringLiteral("SELECT COUNT(*) FROM ") + derived());
    if (!counted || counted->rowCount() != 1) {
        error_ = database_.lastError();
        return false;
    }
    rowCount_ = qsizetype(counted->at(0, 0).toNumber().value_or(0));
    const auto first = rows(0, 1);
    if (!first)
        return false;
    columns_ = first->columnNames();
    return true;
}

std::optional<RowSet> GridRowSource::rows(qsizetype first, int count) {
    QString sql = QStringLiteral("SELECT * FROM ") + derived();
    if (!sortText_.trimmed().isEmpty())
        sql += QStringLiteral(" ORDER BY ") + sortText_;
    sql += QStringLiteral(" LIMIT %1 OFFSET %2").arg(count).arg(first);
    auto result = database_.query(sql);
    if (!result)
        error_ = database_.lastError();
    return result;
}
