#pragma once
// Builds the schema catalogue of an open database: from its saved map file when asked and
// readable, otherwise by walking the tables, columns and indexes once each, honouring "Abort"
// after each table; optionally rebuilds the links and saves the map file.
#include "db/SchemaCatalogue.h"

class Connection;
class Status;

class SchemaMapper {
public:
    struct Options {
        bool buildLinks = false;
        bool loadMapFile = false;
        bool saveMapFile = false;
    };
    enum class Outcome { Mapped, Aborted, Failed };

    SchemaMapper(Connection& connection, Status& status)
        : db_(connection)
        , status_(status) {}

    // databasePath names the database in the status texts; mapFilePath is where its map lives.
    Outcome MapDatabase(SchemaCatalogue& catalogue, const QString& databasePath,
                        const QString& mapFilePath, const Options& options);
    bool RefreshFilterList(SchemaCatalogue& catalogue);

    static bool isFilterName(const QString& viewName) {
        return viewName.startsWith(QStringLiteral("f_"));
    }

private:
    bool mapTables(SchemaCatalogue& catalogue, const QString& databasePath);
    bool mapIndexes(SchemaCatalogue& catalogue, const QString& databasePath);
    QStringList fieldsByOpening(const QString& table);
    bool aborted();

    Connection& db_;
    Status& status_;
    bool linkedTables_ = false; // the database holds tables linked for this connection only
};
