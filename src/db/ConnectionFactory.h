#pragma once
// Turns a session database path into a connection: chooses the driver the way the connection
// text does and opens it. Jet files and dBase folders are opened through their SQLite working
// copy; a server data source (the connection text's MSDAORA rows) through PostgreSQL. Called by
// the session-opening code and by helpers that open a database of their own (the system database).
#include "db/ConnectionTarget.h"
#include "platform/OpenedConnection.h"

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

    // The notice of a Jet or dBase open that imported anew says where the working copy is.
    static OpenedConnection open(const ConnectionTarget& target);
    static OpenedConnection open(const QString& path, const QString& user = {},
                                 const QString& password = {}) {
        return open(target(path, user, password));
    }
};
