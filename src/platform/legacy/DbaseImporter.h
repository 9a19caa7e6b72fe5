#pragma once
// Imports a dBase folder into a SQLite working copy through shapelib: every .dbf file of the
// folder becomes a table named after the file, with its records (deleted ones left out) and
// fields typed as the Jet DDL translation would type them. The copy lies beside the folder as
// <folder>.dbase.sqlite (in the user's cache folder when that cannot be written) and is reused
// while it is newer than each .dbf and .cpg file of the folder and the folder still holds the same
// .dbf files. The folder is only ever read. Called by the connection factory.
#include "platform/legacy/ImportResult.h"

class DbaseImporter {
public:
    using Result = ImportResult;

    // Reuses an up-to-date working copy, or imports anew.
    static Result ensureWorkingCopy(const QString& folder);
    // Imports into `target` (replacing it only when the whole import succeeded).
    static Result import(const QString& folder, const QString& target);
};
