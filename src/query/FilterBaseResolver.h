#pragma once
// GetFilterBase: the base table and key column of a filter ("f_" view) or stored query, read from
// the session database. SQLite names the table behind each of the view's columns; PostgreSQL
// lists the relations a view reads in information_schema.view_table_usage. A base that is itself
// a filter is followed until a real table is reached (a table that merely has an "f_" name, or a
// cycle of views, ends the walk instead of looping). The key column is the base table's first
// index field. Swallows every database error and returns what it found so far. Holds the
// connection and the catalogue of its caller, who must keep both alive.
#include "db/SchemaCatalogue.h"
#include "platform/Connection.h"
#include "query/FilterBaseSource.h"

class FilterBaseResolver : public FilterBaseSource {
public:
    FilterBaseResolver(Connection& connection, const SchemaCatalogue& catalogue)
        : connection_(connection)
        , catalogue_(catalogue) {}

    FilterBase filterBase(const QString& name) const override { return GetFilterBase(name); }
    FilterBase GetFilterBase(const QString& name) const;

    // Step 2 of the walk: blanks, one pair of brackets and one trailing "," or ";" removed.
    static QString cleanBaseName(QString name);

private:
    // One view's direct base; an empty table when the engine names none.
    FilterBase viewBase(const QString& view) const;
    FilterBase sqliteViewBase(const QString& view) const;
    FilterBase postgresViewBase(const QString& view) const;

    Connection& connection_;
    const SchemaCatalogue& catalogue_;
};
