#pragma once
// Where the clause splitter reads the SQL text of a stored query or filter. The session's
// schema catalogue implements it; tests use a fixed map.
#include <QString>
#include <optional>

class QueryDefinitionSource {
public:
    virtual ~QueryDefinitionSource() = default;
    // The definition (the SELECT text) of the stored query or filter named name, without
    // brackets; nullopt when there is no such query or the catalogue cannot be read.
    virtual std::optional<QString> queryDefinition(const QString& name) const = 0;
};
