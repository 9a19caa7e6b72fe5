#pragma once
// Imports a Jet (.mdb) file into a SQLite working copy through mdbtools: user tables with their
// data, indexes, primary keys and the relationships of MSysRelationships as foreign keys; system
// and hidden tables are skipped; stored SELECT queries become views. The copy lies beside the
// source as <name>.jet.sqlite (in the user's cache folder when the source folder cannot be written)
// and is reused while it is newer than the source; an older copy, which may hold the person's
// edits, is replaced only when the person agrees, and kept as a backup. The source is only ever
// opened for reading.
// libmdb crashes or loops without end on some damaged files, so it reads in a child process
// (IsolatedRun) that writes the copy's part file; a crash or hang there becomes the error.
// Called by the connection factory.
#include "platform/IsolatedRun.h"
#include "platform/legacy/ImportResult.h"
#include "platform/legacy/StaleCopyQuestion.h"

class WorkingCopyFile;

class JetImporter {
public:
    using Result = ImportResult;

    static QString workingCopyBeside(const QString& mdbPath);
    // Reuses an up-to-date working copy, or imports anew. A copy older than its source is
    // replaced only when `ask` says so, and then kept as a backup; otherwise it is used as it is.
    static Result ensureWorkingCopy(const QString& mdbPath, const StaleCopyQuestion& ask = {});
    // Imports into `target`, replacing it only when the whole import succeeded; an existing
    // target is kept as `backup` (by default the next free <target>.bak). `limit` bounds the
    // child's time; by default IsolatedRun::limitFor the file's size.
    static Result import(const QString& mdbPath, const QString& target, const QString& backup = {},
                         std::optional<IsolatedRun::Seconds> limit = {});
    // The same import with libmdb in this process, where a damaged file can crash or hang the
    // program: only for files import() accepted (the fuzzer needs the library's coverage).
    static Result importInProcess(const QString& mdbPath, const QString& target);

private:
    // Adds the stored queries to the written part and puts it in the target's place.
    static Result finish(const QString& mdbPath, WorkingCopyFile& part, const QString& backup,
                         Result r);
};
