#pragma once
// Reads the stored queries of a Jet file (name and Jet SQL text) with mdbtools' mdb-queries,
// which rebuilds the SQL from MSysQueries. Used by JetImporter to carry queries and filters over
// as views.
#include <QString>
#include <optional>
#include <utility>
#include <vector>

class JetQueryReader {
public:
    using Query = std::pair<QString, QString>; // name, Jet SQL
    // nullopt with `error` set when the queries cannot be read at all.
    static std::optional<std::vector<Query>> read(const QString& mdbPath, QString& error);
};
