#pragma once
// Imports a Jet (.mdb) file into a SQLite working copy through mdbtools: user tables with their
// data, indexes, primary keys and the relationships of MSysRelationships as foreign keys; system
// and hidden tables are skipped; stored SELECT queries become views. The copy lies beside the
// source as <name>.jet.sqlite (in the user's cache folder when the source folder cannot be written)
// and is reused while it is newer than the source; an older copy, which may hold the person's
// edits, is replaced only when the person agrees, and kept as a backup. The source is only ever
// opened for reading.
// Called by the connection factory.
#include "platform/legacy/ImportResult.h"
#include "platform/legacy/StaleCopyQuestion.h"

class JetImporter {
public:
    using Result = ImportResult;

    static QString workingCopyBeside(const QString& mdbPath);
    // Reuses an up-to-date working copy, or imports anew. A copy older than its source is
    // replaced only when `ask` says so, and then kept as a backup; otherwise it is used as it is.
    static Result ensureWorkingCopy(const QString& mdbPath, const StaleCopyQuestion& ask = {});
    // Imports into `target`, replacing it only when the whole import succeeded; an existing
    // target is kept as `backup` (by default the next free <target>.bak).
    static Result import(const QString& mdbPath, const QString& target, const QString& backup = {});
};
