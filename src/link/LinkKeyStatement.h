#pragma once
// The statement that fetches the rows a sibling program selected. Table and key field come from
// another process, so they are looked up in the database's own list of tables and columns and
// used in its spelling, in brackets; the key values are split at commas and each one is written
// as the key column's type allows: a number bare, a text quoted with "'" doubled. A value that
// cannot be a key (a text for a numeric key) is dropped, so that it selects nothing.
#include "link/LinkContent.h"

#include <QString>

class Connection;

struct LinkKeyStatement {
    QString statement;
    QString error;        // why no statement could be built (table or key field unknown)
    bool hasKeys = false; // key values came; false: the statement reads the whole table
    bool ok() const { return error.isEmpty(); }

    static LinkKeyStatement build(const LinkContent& content, Connection& db);
};
