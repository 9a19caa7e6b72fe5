#include "platform/sqlite/SqliteStatement.h"

#include "platform/sqlite/SqliteFieldCursor.h"
#include "platform/sqlite/SqliteTypeMap.h"

namespace {

std::vector<int> declaredCodes(sqlite3_stmt* statement) {
    std::vector<int> codes(size_t(sqlite3_column_count(statement)));
    for (size_t i = 0; i < codes.size(); ++i)
        codes[i] = SqliteTypeMap::declaredCode(statement, int(i));
    return codes;
}

} // namespace

SqliteStatement::SqliteStatement(const std::shared_ptr<sqlite3>& db,
                                 SqliteStatementHandle statement)
    : db_(db)
    , raw_(db.get())
    , statement_(std::move(statement)) {}

int SqliteStatement::parameterCount() const {
    return sqlite3_bind_parameter_count(statement_.get());
}

bool SqliteStatement::fail(const QString& text) {
    error_ = text;
    sqlite3_reset(statement_.get());
    return false;
}

bool SqliteStatement::bindAll(const std::vector<CellValue>& values) {
    error_.clear();
    if (db_.expired()) {
        error_ = QStringLiteral("The database is not open");
        return false;
    }
    sqlite3_stmt* st = statement_.get();
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (int(values.size()) != parameterCount())
        return fail(QStringLiteral("The statement takes %1 values, %2 were given")
                        .arg(parameterCount())
                        .arg(values.size()));
    for (size_t i = 0; i < values.size(); ++i)
        if (SqliteTypeMap::bind(st, int(i) + 1, values[i]) != SQLITE_OK)
            return fail(QString::fromUtf8(sqlite3_errmsg(raw_)));
    return true;
}

std::optional<qint64> SqliteStatement::execute(const std::vector<CellValue>& values) {
    if (!bindAll(values))
        return std::nullopt;
    sqlite3_stmt* st = statement_.get();
    const sqlite3_int64 before = sqlite3_total_changes64(raw_);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        fail(QString::fromUtf8(sqlite3_errmsg(raw_)));
        return std::nullopt;
    }
    sqlite3_reset(st);
    return qint64(sqlite3_total_changes64(raw_) - before);
}

std::optional<RowSet> SqliteStatement::query(const std::vector<CellValue>& values) {
    if (!bindAll(values))
        return std::nullopt;
    sqlite3_stmt* st = statement_.get();
    const int n = sqlite3_column_count(st);
    QStringList names;
    for (int i = 0; i < n; ++i)
        names << QString::fromUtf8(sqlite3_column_name(st, i));
    RowSet rows(names);
    const std::vector<int> codes = declaredCodes(st);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        RowSet::Row row;
        row.reserve(size_t(n));
        for (int i = 0; i < n; ++i)
            row.push_back(SqliteTypeMap::read(st, i, codes[size_t(i)]));
        rows.appendRow(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        fail(QString::fromUtf8(sqlite3_errmsg(raw_)));
        return std::nullopt;
    }
    sqlite3_reset(st);
    return rows;
}

bool SqliteStatement::forEachField(const std::vector<CellValue>& values,
                                   const std::function<void(const FieldCursor&)>& visit) {
    if (!bindAll(values))
        return false;
    sqlite3_stmt* st = statement_.get();
    const std::vector<int> codes = declaredCodes(st);
    const SqliteFieldCursor cursor(st, codes);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        visit(cursor);
    if (rc != SQLITE_DONE)
        return fail(QString::fromUtf8(sqlite3_errmsg(raw_)));
    sqlite3_reset(st);
    return true;
}

bool SqliteStatement::forEachRow(const std::vector<CellValue>& values,
                                 const std::function<void(const RowSet::Row&)>& visit) {
    if (!bindAll(values))
        return false;
    sqlite3_stmt* st = statement_.get();
    const std::vector<int> codes = declaredCodes(st);
    RowSet::Row row(codes.size());
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = SqliteTypeMap::read(st, int(i), codes[i]);
        visit(row);
    }
    if (rc != SQLITE_DONE)
        return fail(QString::fromUtf8(sqlite3_errmsg(raw_)));
    sqlite3_reset(st);
    return true;
}
