#pragma once
// Owning handles over the sqlite3 C API objects; closing and finalizing happen in the deleters.
#include <memory>
#ifndef SQLITE_ENABLE_COLUMN_METADATA
#define SQLITE_ENABLE_COLUMN_METADATA
#endif
#include <sqlite3.h>

struct SqliteDatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct SqliteStatementFinalizer {
    void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
};
using SqliteDatabaseHandle = std::unique_ptr<sqlite3, SqliteDatabaseCloser>;
using SqliteStatementHandle = std::unique_ptr<sqlite3_stmt, SqliteStatementFinalizer>;
