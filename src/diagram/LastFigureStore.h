#pragma once
// The last figure of a session, kept in lastfiles.ini (section "LastGraph") when a diagram window
// closes and read back by "Draw the Last Fig of Previous Session".
#include "diagram/DiagramDefinition.h"

#include <optional>

class Connection;

class LastFigureStore {
public:
    // database: the session database as it may be shown (a server source without its password).
    static bool store(const QString& lastFilesPath, const DiagramDefinition& d,
                      const QString& database);
    // The stored definition over base, when it was stored for the same database.
    static std::optional<DiagramDefinition> read(const QString& lastFilesPath,
                                                 const QString& database, DiagramDefinition base);
    // "Table t can not be found in the database" / "Field f can not be found in the table t" for
    // the first table or field of d the database no longer has; empty when all are there.
    static QString missingPart(Connection& db, const DiagramDefinition& d);
};
