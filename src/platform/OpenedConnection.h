#pragma once
// What opening a database gives: the connection, or the reason it could not be opened; and a
// notice for the status line (such as where a working copy lives), empty when there is none.
#include "platform/Connection.h"

#include <QStringList>
#include <memory>

struct OpenedConnection {
    std::unique_ptr<Connection> connection;
    QString error;
    QString notice;
    QStringList warnings; // values an import could not carry over
    bool ok() const { return connection != nullptr; }
};
