#pragma once
// A SQLite database file opened for bulk writing by the sample generator, with prepared
// statements that bind by position. Owns the connection and closes it on destruction; the
// statements it hands out must not outlive it. Errors are returned as false with lastError().
#include <QString>
#include <optional>
#include <sqlite3.h>

class SqliteFile {
public:
    class Statement {
    public:
        Statement() = default;
        Statement(const Statement&) = delete;
        Statement& operator=(const Statement&) = delete;
        ~Statement() { sqlite3_finalize(stmt_); }

        // Parameters are numbered from 1.
        void bindText(int index, const QString& value);
        void bindDouble(int index, double value) { sqlite3_bind_double(stmt_, index, value); }
        void bindInt(int index, qint64 value) { sqlite3_bind_int64(stmt_, index, value); }
        void bindNull(int index) { sqlite3_bind_null(stmt_, index); }
        void bindOptional(int index, const std::optional<double>& value);
        void bindOptional(int index, const std::optional<QString>& value);
        // Runs the statement once and readies it for the next row; false on failure.
        bool run();

    private:
        friend class SqliteFile;
        sqlite3_stmt* stmt_ = nullptr;
        sqlite3* db_ = nullptr;
    };

    SqliteFile() = default;
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;
    ~SqliteFile() { close(); }

    bool open(const QString& path);
    void close();
    bool exec(const QString& sql);
    bool prepare(const QString& sql, Statement& statement);
    QString lastError() const;

    // A name in double quotes with inner quotes doubled: safe for any name from outside.
    static QString quoteName(const QString& name);

private:
    sqlite3* db_ = nullptr;
    QString openError_;
};
