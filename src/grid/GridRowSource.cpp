#include "grid/GridRowSource.h"

#include "platform/Connection.h"
#include "platform/JetSqlQuoting.h"
#include "platform/SqlDialect.h"

#include <algorithm>

GridRowSource::GridRowSource(Connection& database, QString statement, QString sortText,
                             QStringList key)
    : database_(database)
    , statement_(std::move(statement))
    , sortText_(std::move(sortText))
    , key_(std::move(key)) {}

QString GridRowSource::derived() const {
    QString inner = statement_.trimmed();
    while (inner.endsWith(QLatin1Char(';')))
        inner = inner.chopped(1).trimmed();
    return QStringLiteral("(") + inner + QStringLiteral(") AS quv_grid");
}

bool GridRowSource::open() {
    error_.clear();
    keyColumns_.clear();
    keyAt_.clear();
    const auto first = rowsByOffset(0, 1);
    if (!first)
        return false;
    columns_ = first->columnNames();
    useKeyIfItOrders(key_);
    const auto counted = database_.query(QStringLiteral("SELECT COUNT(*) FROM ") + derived());
    if (!counted || counted->rowCount() != 1) {
        error_ = database_.lastError();
        return false;
    }
    rowCount_ = qsizetype(counted->at(0, 0).toNumber().value_or(0));
    // A key with Null in it (SQLite allows that outside integer keys; PostgreSQL never) has no
    // place to seek from: such rows are paged by offset like any other statement's.
    if (seeksByKey() && database_.dialect() == SqlDialect::Sqlite) {
        QStringList nulls;
        for (const int c : keyColumns_)
            nulls << JetSqlQuoting::name(columns_[c]) + QStringLiteral(" IS NULL");
        const auto withNull = database_.query(
            QStringLiteral("SELECT 1 FROM ") + derived() + QStringLiteral(" WHERE ") +
            nulls.join(QStringLiteral(" OR ")) + QStringLiteral(" LIMIT 1"));
        if (!withNull || withNull->rowCount() > 0)
            keyColumns_.clear();
    }
    return true;
}

// The key orders the rows when the grid is unsorted or sorted by the one key column alone, and
// each key column shows once in the rows (a join may show a name twice).
void GridRowSource::useKeyIfItOrders(const QStringList& key) {
    if (key.isEmpty())
        return;
    const QString sort = sortText_.simplified();
    if (!sort.isEmpty()) {
        const QString quoted = key.size() == 1 ? JetSqlQuoting::name(key.front()) : QString();
        if (quoted.isEmpty())
            return;
        if (sort.compare(quoted + QStringLiteral(" DESC"), Qt::CaseInsensitive) == 0)
            keyDescending_ = true;
        else if (sort.compare(quoted, Qt::CaseInsensitive) != 0 &&
                 sort.compare(quoted + QStringLiteral(" ASC"), Qt::CaseInsensitive) != 0)
            return;
    }
    std::vector<int> columns;
    for (const QString& k : key) {
        if (columns_.count(k) != 1)
            return;
        columns.push_back(int(columns_.indexOf(k)));
    }
    keyColumns_ = std::move(columns);
}

QString GridRowSource::orderBy(bool backwards) const {
    const bool descending = keyDescending_ != backwards;
    QStringList parts;
    for (const int c : keyColumns_)
        parts << JetSqlQuoting::name(columns_[c]) +
                     (descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    return QStringLiteral(" ORDER BY ") + parts.join(QStringLiteral(", "));
}

std::optional<RowSet> GridRowSource::rows(qsizetype first, int count) {
    if (seeksByKey())
        return rowsByKey(first, count);
    return rowsByOffset(first, count);
}

std::optional<RowSet> GridRowSource::rowsByOffset(qsizetype first, int count) {
    QString sql = QStringLiteral("SELECT * FROM ") + derived();
    if (!sortText_.trimmed().isEmpty())
        sql += QStringLiteral(" ORDER BY ") + sortText_;
    sql += QStringLiteral(" LIMIT %1 OFFSET %2").arg(count).arg(first);
    auto result = database_.query(sql);
    if (!result)
        error_ = database_.lastError();
    return result;
}

// Reads forwards from the nearest row read before the page or from the top, or backwards from
// the nearest row read after it or from the bottom: whichever skips the fewest rows.
std::optional<RowSet> GridRowSource::rowsByKey(qsizetype first, int count) {
    count = int(std::clamp<qsizetype>(rowCount_ - first, 0, count));
    if (first < 0 || count == 0)
        return RowSet(columns_);
    const qsizetype end = first + count;
    // Forwards where it skips as few rows: a backward read is turned round afterwards.
    const std::vector<CellValue>* from = nullptr;
    bool backwards = false;
    qsizetype skip = first;
    auto before = keyAt_.lower_bound(first);
    if (before != keyAt_.begin() && first - std::prev(before)->first - 1 < skip) {
        --before;
        from = &before->second;
        skip = first - before->first - 1;
    }
    if (rowCount_ - end < skip) {
        from = nullptr;
        backwards = true;
        skip = rowCount_ - end;
    }
    const auto after = keyAt_.lower_bound(end);
    if (after != keyAt_.end() && after->first - end < skip) {
        from = &after->second;
        backwards = true;
        skip = after->first - end;
    }

    QString sql = QStringLiteral("SELECT * FROM ") + derived();
    std::vector<CellValue> values;
    if (from) {
        QStringList names;
        QStringList marks;
        for (const int c : keyColumns_) {
            names << JetSqlQuoting::name(columns_[c]);
            marks << QStringLiteral("?");
        }
        const bool greater = keyDescending_ == backwards;
        const QString op = greater ? QStringLiteral(" > ") : QStringLiteral(" < ");
        sql += names.size() == 1 ? QStringLiteral(" WHERE ") + names.front() + op + marks.front()
                                 : QStringLiteral(" WHERE (") + names.join(QStringLiteral(", ")) +
                                       QStringLiteral(")") + op + QStringLiteral("(") +
                                       marks.join(QStringLiteral(", ")) + QStringLiteral(")");
        values = *from;
    }
    sql += orderBy(backwards) + QStringLiteral(" LIMIT %1").arg(count);
    if (skip > 0)
        sql += QStringLiteral(" OFFSET %1").arg(skip);
    auto result = database_.query(sql, values);
    if (!result) {
        error_ = database_.lastError();
        return result;
    }
    if (backwards) {
        RowSet forwards(result->columnNames());
        for (qsizetype r = result->rowCount() - 1; r >= 0; --r)
            forwards.appendRow(result->row(r));
        result = std::move(forwards);
    }
    if (result->rowCount() > 0) {
        remember(first, result->row(0));
        remember(first + result->rowCount() - 1, result->row(result->rowCount() - 1));
    }
    return result;
}

void GridRowSource::remember(qsizetype position, const RowSet::Row& row) {
    std::vector<CellValue> key;
    for (const int c : keyColumns_) {
        if (size_t(c) >= row.size() || row[size_t(c)].isMissing())
            return;
        key.push_back(row[size_t(c)]);
    }
    keyAt_[position] = std::move(key);
}
