#pragma once
// Opens the system database that holds the object library, the spider types and the field
// aliases: a SQLite file, or a PostgreSQL data source (a service name, a conninfo text or a
// postgresql:// URI, as for a session database; the login comes from there or from libpq's own
// files, never from the program). The first open creates the file (and its folder) or the
// server's tables with all twelve tables in one transaction and stamps the schema version
// (PRAGMA user_version; on a server the setting "SystemVersion"); later opens add any table that
// is missing and otherwise leave the database alone. New spider tables are seeded with the
// shipped spider types and normalization samples (SpiderSeed), a new object library (or one made
// by this program before they were shipped, version 1) with the shipped classification diagrams
// it lacks (ClassificationSeed). A database stamped with a newer version is refused without being
// written. A configured Jet file (.mdb) is imported once into a SQLite working copy beside it,
// which is the system database from then on: the program writes to it, so it is never replaced
// by a fresh import. Each user of the system database opens it for one job and closes it again.
#include "db/SystemTables.h"
#include "platform/OpenedConnection.h"

class SystemDatabase {
public:
    // path: the resolved setting "SystemDatabase" ("\" accepted in file paths). The result holds
    // the open connection or the error text; its notice says when a file was created, imported or
    // completed.
    static OpenedConnection open(const QString& path, const SystemTables& names = {});

    // The SQLite file that `path` stands for: the file itself, or the working copy of a .mdb.
    // Empty when the path names neither.
    static QString sqliteFile(const QString& path);
};
