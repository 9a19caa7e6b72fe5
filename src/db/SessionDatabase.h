#pragma once
// The one session database: its path, its open connection, the connection kind every window
// checks ("ADO" while open) and its schema catalogue. Opening replaces the previous connection.
#include "db/SchemaCatalogue.h"
#include "db/SchemaMapper.h"
#include "platform/OpenedConnection.h"

#include <functional>
#include <memory>

class Dialogs;
class Status;

class SessionDatabase {
public:
    // Opens a path or data source with the driver its form names.
    using Opener = std::function<OpenedConnection(const QString& path)>;
    // Where a database's map file lives.
    using MapFileLocator = std::function<QString(const QString& path)>;

    SessionDatabase(Dialogs& dialogs, Status& status, Opener opener, MapFileLocator mapFileFor);

    // Opens SessionDatabasePath (set by the caller) and maps it. False after the message
    // "Database ... can not be opened ..." when the connection cannot be made, with the driver's
    // reason on its second line.
    bool OpenSessionDatabase(const SchemaMapper::Options& options);
    void CloseSessionDatabase();
    // Maps the open connection again after its schema changed (a table made elsewhere), without
    // connecting anew: a working copy stays the one that holds the change. False when none is
    // open or the mapping was aborted.
    bool RemapSessionDatabase(const SchemaMapper::Options& options);

    QString SessionDatabasePath;
    QString ConnectionType;     // "ADO" while a database is open; empty otherwise
    QString LastConnectionType; // "ADO" after every open attempt

    Connection* connection() const { return connection_.get(); }
    SchemaCatalogue& catalogue() { return catalogue_; }
    const SchemaCatalogue& catalogue() const { return catalogue_; }
    bool isOpen() const { return ConnectionType == QStringLiteral("ADO"); }

    // "\server\share" written with one backslash too few becomes "\\server\share".
    static QString withNetworkPrefix(const QString& path);

private:
    Dialogs& dialogs_;
    Status& status_;
    Opener opener_;
    MapFileLocator mapFileFor_;
    std::unique_ptr<Connection> connection_;
    SchemaCatalogue catalogue_;
};
