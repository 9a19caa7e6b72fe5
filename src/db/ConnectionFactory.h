#pragma once
// Turns a session database path into a connection: chooses the driver the way the connection
// text does and opens it. Jet files and dBase folders are opened through their SQLite working
// copy; a server data source (the connection text's MSDAORA rows) through PostgreSQL. Called by
// the session-opening code and by helpers that open a database of their own (the system database).
#include "db/ConnectionTarget.h"
#include "platform/OpenedConnection.h"
#include "platform/legacy/StaleCopyQuestion.h"

#include <functional>

class ConnectionFactory {
public:
    // The connection text for a path (Jet, Oracle-style and dBase forms exactly; SQLite files
    // give "Provider=SQLite;Data Source=" + path). User and password are empty when the program
    // opens the session database itself.
    static QString BuildConnectionString(const QString& path, const QString& user,
                                         const QString& password);
    static ConnectionTarget target(const QString& path, const QString& user = {},
                                   const QString& password = {});
    static bool isSqliteFile(const QString& path);

    // The notice of a Jet or dBase open that imported anew says where the working copy is (and
    // where the copy it replaced is kept). A working copy older than its source is replaced only
    // when `ask` says so; by default it is used as it is.
    static OpenedConnection open(const ConnectionTarget& target, const StaleCopyQuestion& ask = {});
    static OpenedConnection open(const QString& path, const QString& user = {},
                                 const QString& password = {}) {
        return open(target(path, user, password));
    }
    // How the session opens a path: a stale working copy is replaced only when the person
    // answers Yes through `dialogs`.
    static std::function<OpenedConnection(const QString& path)> sessionOpener(Dialogs& dialogs);
};
