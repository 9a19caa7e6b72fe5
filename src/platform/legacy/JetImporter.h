#pragma once
// Imports a Jet (.mdb) file into a SQLite working copy through mdbtools: user tables with their
// data, indexes, primary keys and the relationships of MSysRelationships as foreign keys; system
// and hidden tables are skipped; stored SELECT queries become views. The copy lies beside the
// source as <name>.jet.sqlite (in the user's cache folder when the source folder cannot be written)
// and is reused while it is newer than the source. The source is only ever opened for reading.
// Called by the connection factory.
#include "platform/legacy/ImportResult.h"

class JetImporter {
public:
    using Result = ImportResult;

    static QString workingCopyBeside(const QString& mdbPath);
    // Reuses an up-to-date working copy, or imports anew.
    static Result ensureWorkingCopy(const QString& mdbPath);
    // Imports into `target` (replacing it only when the import succeeded).
    static Result import(const QString& mdbPath, const QString& target);
};
