#pragma once
// What opening a database gives: the connection, or the reason it could not be opened; and a
// notice for the status line (such as where a working copy lives), empty when there is none.
#include "platform/Connection.h"

#include <memory>

struct OpenedConnection {
    std::unique_ptr<Connection> connection;
    QString error;
    QString notice;
    bool ok() const { return connection != nullptr; }
};
