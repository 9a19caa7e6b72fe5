#pragma once
// A session on a SQLite database opened as the program opens one, with dialogs that answer
// nothing; a benchmark that cannot open it is skipped with the reason.
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"

#include <benchmark/benchmark.h>

struct BenchSession {
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session{dialogs, status,
                            [](const QString& p) { return SqliteConnection::open(p); },
                            [](const QString& p) { return MapFile::pathFor(p, false, {}); }};

    // False after skipping the benchmark when the database does not open.
    bool open(const QString& path, benchmark::State& state) {
        session.SessionDatabasePath = path;
        if (session.OpenSessionDatabase({true, false, false}))
            return true;
        state.SkipWithError("the bench database does not open");
        return false;
    }

    // The generated database that ./quv bench names; empty after skipping the benchmark.
    static QString generatedDatabase(benchmark::State& state) {
        const QString path = qEnvironmentVariable("QUV_BENCH_DATABASE");
        if (path.isEmpty())
            state.SkipWithError("QUV_BENCH_DATABASE is not set (./quv bench generates it)");
        return path;
    }
};
