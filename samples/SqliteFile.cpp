#include "SqliteFile.h"

void SqliteFile::Statement::bindText(int index, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(stmt_, index, utf8.constData(), static_cast<int>(utf8.size()),
                      SQLITE_TRANSIENT);
}

void SqliteFile::Statement::bindOptional(int index, const std::optional<double>& value) {
    if (value)
        bindDouble(index, *value);
    else
        bindNull(index);
}

void SqliteFile::Statement::bindOptional(int index, const std::optional<QString>& value) {
    if (value)
        bindText(index, *value);
    else
        bindNull(index);
}

bool SqliteFile::Statement::run() {
    const int rc = sqlite3_step(stmt_);
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

bool SqliteFile::open(const QString& path) {
    close();
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        openError_ =
            db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
        close();
        return false;
    }
    openError_.clear();
    return true;
}

void SqliteFile::close() {
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool SqliteFile::exec(const QString& sql) {
    return db_ &&
           sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool SqliteFile::prepare(const QString& sql, Statement& statement) {
    sqlite3_finalize(statement.stmt_);
    statement.stmt_ = nullptr;
    statement.db_ = db_;
    const QByteArray utf8 = sql.toUtf8();
    return db_ && sqlite3_prepare_v2(db_, utf8.constData(), static_cast<int>(utf8.size()),
                                     &statement.stmt_, nullptr) == SQLITE_OK;
}

QString SqliteFile::lastError() const {
    if (!db_)
        return openError_.isEmpty() ? QStringLiteral("the database is not open") : openError_;
    return QString::fromUtf8(sqlite3_errmsg(db_));
}

QString SqliteFile::quoteName(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
