#pragma once
// Table Chem on a real engine for the link tests, and the link content that names it: the
// SQLite file by DATABASENAME=, the PostgreSQL schema by ORACLE= (a conninfo that selects it).
#include "clipdata/ClipDataEngine.h"

class LinkEngine : public ClipDataEngine {
protected:
    void SetUp() override {
        ClipDataEngine::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        run(QStringLiteral("CREATE TABLE [Chem] ([SampleNo] TEXT(10), [Hole] INTEGER, "
                           "[Au] DOUBLE)"));
        run(QStringLiteral("CREATE TABLE [Other] ([x] INTEGER)"));
        run(QStringLiteral("INSERT INTO [Other] ([x]) VALUES (1)"));
        const char* rows[][3] = {
            {"S1", "12", "0.5"}, {"S2", "13", "4"}, {"O'Neil", "14", "7"}, {"S4", "15", "1"}};
        for (const auto& r : rows)
            run(QStringLiteral("INSERT INTO [Chem] ([SampleNo], [Hole], [Au]) VALUES (?, ?, ?)"),
                {CellValue::text(r[0]), CellValue::number(QByteArray(r[1]).toDouble()),
                 CellValue::number(QByteArray(r[2]).toDouble())});
    }

    // The lines that name the database, CR LF ended.
    QString databaseLines() const {
        if (GetParam() == Engine::Sqlite)
            return QStringLiteral("DATABASENAME=") + dir.filePath(QStringLiteral("clip.sqlite")) +
                   QStringLiteral("\r\n");
        return QStringLiteral("DATABASENAME=assays\r\nORACLE=") + PgScratchSchema::conninfo() +
               QStringLiteral(" options='-csearch_path=") + pgSchema->name() +
               QStringLiteral("'\r\n");
    }
};
