#pragma once
// Imports a dBase folder into a SQLite working copy through shapelib: every .dbf file of the
// folder becomes a table named after the file, with its records (deleted ones left out) and
// fields typed as the Jet DDL translation would type them. The copy lies beside the folder as
// <folder>.dbase.sqlite (in the user's cache folder when that cannot be written) and is reused
// while it is newer than each .dbf and .cpg file of the folder and the folder still holds the same
// .dbf files; an older copy, which may hold the person's edits, is replaced only when the person
// agrees, and kept as a backup. The folder is only ever read. Called by the connection factory.
#include "platform/legacy/ImportResult.h"
#include "platform/legacy/StaleCopyQuestion.h"

class DbaseImporter {
public:
    using Result = ImportResult;

    // Reuses an up-to-date working copy, or imports anew. A copy older than its source is
    // replaced only when `ask` says so, and then kept as a backup; otherwise it is used as it is.
    static Result ensureWorkingCopy(const QString& folder, const StaleCopyQuestion& ask = {});
    // Imports into `target`, replacing it only when the whole import succeeded; an existing
    // target is kept as `backup` (by default the next free <target>.bak).
    static Result import(const QString& folder, const QString& target, const QString& backup = {});
};
