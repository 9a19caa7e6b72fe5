#include "support/ContendedConnection.h"

#include "platform/sqlite/SqliteConnection.h"

OpenedConnection ContendedConnection::open(const QString& path) {
    OpenedConnection inner = SqliteConnection::open(path);
    OpenedConnection holder = SqliteConnection::open(path);
    if (!inner.ok() || !holder.ok())
        return inner.ok() ? std::move(holder) : std::move(inner);
    auto c = std::make_unique<ContendedConnection>();
    c->inner_ = std::move(inner.connection);
    c->holder_ = std::move(holder.connection);
    OpenedConnection opened;
    opened.connection = std::move(c);
    return opened;
}

bool ContendedConnection::beginTransaction() {
    ++begins;
    auto& inner = static_cast<SqliteConnection&>(*inner_);
    auto& holder = static_cast<SqliteConnection&>(*holder_);
    if (!holder.executeNative(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    inner.executeNative(QStringLiteral("PRAGMA busy_timeout = 0")); // no waiting in a test
    const bool began = inner.beginTransaction();
    inner.executeNative(QStringLiteral("PRAGMA busy_timeout = 5000"));
    holder.executeNative(QStringLiteral("COMMIT"));
    return began;
}
