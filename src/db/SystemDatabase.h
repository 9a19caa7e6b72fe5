#pragma once
// Opens the system database: the SQLite file that holds the object library, the spider types
// and the field aliases. The first open creates the file (and its folder) with all twelve tables in
// one transaction and stamps PRAGMA user_version with SystemSchema::version; later opens add any
// table that is missing and otherwise leave the file alone. New spider tables are seeded with
// the shipped spider types and normalization samples (SpiderSeed), a new object library with the
// shipped classification diagrams (ClassificationSeed). A file stamped with a newer
// version is refused without being written. A configured Jet file (.mdb) is imported once into a
// SQLite working copy beside it, which is the system database from then on: the program writes to
// it, so it is never replaced by a fresh import. There is no user name or password: the file is the
// user's own. Each user of the system database opens it for one job and closes it again.
#include "db/SystemTables.h"
#include "platform/OpenedConnection.h"

class SystemDatabase {
public:
    // path: the resolved setting "SystemDatabase" ("\" accepted). The result holds the open
    // connection or the error text; its notice says when a file was created, imported or
    // completed.
    static OpenedConnection open(const QString& path, const SystemTables& names = {});

    // The SQLite file that `path` stands for: the file itself, or the working copy of a .mdb.
    // Empty when the path names neither.
    static QString sqliteFile(const QString& path);
};
