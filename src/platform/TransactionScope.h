#pragma once
// Begins a transaction on construction and rolls it back on destruction unless commit() was
// called, so that a multi-row write that fails half-way leaves nothing behind.
#include "platform/Connection.h"

class TransactionScope {
public:
    explicit TransactionScope(Connection& connection)
        : connection_(connection)
        , active_(connection.beginTransaction()) {}
    ~TransactionScope() {
        if (active_)
            connection_.rollback();
    }
    TransactionScope(const TransactionScope&) = delete;
    TransactionScope& operator=(const TransactionScope&) = delete;

    bool began() const { return active_; }
    bool commit() {
        if (!active_)
            return false;
        active_ = false;
        return connection_.commit();
    }

private:
    Connection& connection_;
    bool active_;
};
