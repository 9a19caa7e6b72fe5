// The grid over real engines: paging, sorting, finding, writing back, saved views, bulk edits.
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "grid/GridBulkEdits.h"
#include "grid/GridController.h"
#include "grid/GridViewSaver.h"
#include "grid/OpenViews.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TransactionScope.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/PgScratchSchema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int sampleCount = 1500; // three pages and a bit

void fill(Connection& db) {
    for (const char* sql :
         {"CREATE TABLE [Samples] ([SampleNo] TEXT(10) CONSTRAINT [pk] PRIMARY KEY, [Rock] "
          "TEXT(20), [Au] DOUBLE, [RowNo] LONG)",
          "CREATE TABLE [Trace] ([SampleNo] TEXT(10), [Ce] DOUBLE)",
          "CREATE VIEW [AllSamples] AS SELECT * FROM [Samples]"})
        ASSERT_TRUE(db.execute(QString::fromUtf8(sql))) << sql << db.lastError().toStdString();
    TransactionScope t(db);
    const QString rocks[] = {QStringLiteral("Granite"), QStringLiteral("Basalt"),
                             QStringLiteral("Gabbro")};
    for (int i = 1; i <= sampleCount; ++i)
        ASSERT_TRUE(
            db.execute(QStringLiteral("INSERT INTO [Samples] VALUES (?, ?, ?, 0)"),
                       {CellValue::text(QStringLiteral("S%1").arg(i, 4, 10, QLatin1Char('0'))),
                        CellValue::text(rocks[i % 3]), CellValue::number((i % 100) / 4.0)}));
    for (const char* sql :
         {"INSERT INTO [Samples] VALUES ('A_1', 'Granite', 1, 0)",
          "INSERT INTO [Samples] VALUES ('AB1', 'Granite', 1, 0)",
          "INSERT INTO [Trace] VALUES ('A_1', 10)", "INSERT INTO [Trace] VALUES ('AB1', 20)",
          "UPDATE [Samples] SET [Au] = 2.675 WHERE [SampleNo] = 'S0001'",
          "UPDATE [Samples] SET [Au] = 1.005 WHERE [SampleNo] = 'S0002'",
          "UPDATE [Samples] SET [Rock] = '  Granite ' WHERE [SampleNo] = 'S0003'"})
        ASSERT_TRUE(db.execute(QString::fromUtf8(sql))) << sql;
    ASSERT_TRUE(t.commit());
}

std::vector<QStringList> rows(Connection& db, const char* sql) {
    std::vector<QStringList> out;
    const auto set = db.query(QString::fromUtf8(sql));
    EXPECT_TRUE(set) << sql << db.lastError().toStdString();
    for (qsizetype r = 0; set && r < set->rowCount(); ++r) {
        QStringList cells;
        for (const CellValue& v : set->row(r))
            cells << v.toText();
        out.push_back(cells);
    }
    return out;
}

QString cell(GridModel& m, int row, int column) {
    return m.data(m.index(row, column)).toString();
}

void exerciseGrid(SessionDatabase& session, ScriptedDialogs& dialogs, HeadlessStatus& status) {
    session.SessionDatabasePath = QStringLiteral("grid");
    ASSERT_TRUE(session.OpenSessionDatabase({true, false, false}));
    Connection& db = *session.connection();
    OpenViews views;
    GridController grid(session, dialogs, status, views);

    ASSERT_TRUE(
        grid.open(QStringLiteral("SELECT * FROM [Samples];"), QStringLiteral("Table/Samples")));
    GridModel& m = *grid.model();
    EXPECT_EQ(m.rowCount(), sampleCount + 2);
    EXPECT_EQ(m.columnCount(), 4);
    EXPECT_EQ(m.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Au"));
    EXPECT_EQ(grid.recordCounter(3), QStringLiteral("Rec 3/1502"));
    EXPECT_EQ(grid.name(), QStringLiteral("Samples"));
    EXPECT_TRUE(m.flags(m.index(0, 1)) & Qt::ItemIsEditable);

    // Pages are read by seeking on the key from the nearest row read, before or after them:
    // whichever rows are read first, each stands where the key order puts it.
    EXPECT_TRUE(m.source().seeksByKey());
    const auto byKey = rows(db, "SELECT [SampleNo] FROM [Samples] ORDER BY [SampleNo]");
    ASSERT_EQ(byKey.size(), size_t(sampleCount + 2));
    for (const std::vector<int>& firstReads :
         {std::vector<int>{sampleCount + 1, 700, 0}, {1100, 100}, {0, 600, 1200}}) {
        ASSERT_TRUE(grid.requery());
        GridModel& fresh = *grid.model();
        for (const int r : firstReads)
            EXPECT_EQ(cell(fresh, r, 0), byKey[size_t(r)][0]) << r;
        for (int r = 0; r < sampleCount + 2; ++r)
            if (cell(fresh, r, 0) != byKey[size_t(r)][0]) {
                ADD_FAILURE() << "row " << r << " after reading " << firstReads.front();
                break;
            }
    }

    // Header clicks sort only in a sort mode.
    EXPECT_FALSE(grid.headerClicked(0));
    grid.sortMode = GridController::SortMode::Descending;
    ASSERT_TRUE(grid.headerClicked(0));
    EXPECT_EQ(grid.sortText(), QStringLiteral("[SampleNo] DESC"));
    EXPECT_TRUE(grid.model()->source().seeksByKey());
    EXPECT_EQ(cell(*grid.model(), sampleCount + 1, 0), QStringLiteral("AB1"));
    EXPECT_EQ(cell(*grid.model(), 1000, 0), QStringLiteral("S0500"));
    EXPECT_EQ(cell(*grid.model(), 0, 0), QStringLiteral("S1500"));
    ASSERT_TRUE(grid.andSort(1, false));
    EXPECT_EQ(grid.sortingInfo(),
              QStringLiteral("SORTING SETTINGS:\r\n[SampleNo] DESC,[Rock] ASC"));
    // The header marks the first key.
    ASSERT_TRUE(grid.primarySortKey());
    EXPECT_EQ(grid.primarySortKey()->column, 0);
    EXPECT_TRUE(grid.primarySortKey()->descending);
    EXPECT_FALSE(grid.primarySortKey()->alone);
    grid.sortMode = GridController::SortMode::Ascending;
    ASSERT_TRUE(grid.headerClicked(0));
    GridModel& sorted = *grid.model();
    // 'AB1' < 'A_1' < 'S0001' byte-wise; rows far down come from later pages.
    EXPECT_EQ(cell(sorted, 0, 0), QStringLiteral("AB1"));
    EXPECT_EQ(cell(sorted, 1000, 0), QStringLiteral("S0999"));
    EXPECT_EQ(cell(sorted, sampleCount + 1, 0), QStringLiteral("S1500"));
    EXPECT_EQ(cell(sorted, 2, 2), QStringLiteral("2.675"));

    using Cell = GridController::Cell;
    EXPECT_EQ(grid.find(QStringLiteral("S0010"), {0}, true, false, 0), (Cell{11, 0}));
    EXPECT_EQ(grid.find(QStringLiteral("s001"), {0}, false, false, 12), (Cell{12, 0})); // S0011
    EXPECT_EQ(grid.find(QStringLiteral("s001"), {0}, false, true, 0), std::nullopt);
    EXPECT_EQ(grid.find(QStringLiteral("24.75"), {1, 2}, true, false, 0), (Cell{100, 2})); // S0099
    EXPECT_EQ(grid.find(QStringLiteral("Au"), {2}, true, false, 0), std::nullopt);

    // An edited cell goes to its record by key.
    ASSERT_TRUE(sorted.setData(sorted.index(3, 1), QStringLiteral("Diorite")));
    EXPECT_EQ(rows(db, "SELECT [Rock] FROM [Samples] WHERE [SampleNo] = 'S0002'"),
              std::vector<QStringList>{{"Diorite"}});
    EXPECT_EQ(cell(sorted, 3, 1), QStringLiteral("Diorite"));

    // Bulk edits on the sorted grid.
    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueText(QStringLiteral("2"));
    ASSERT_TRUE(GridBulkEdits(grid.target(), dialogs, status).digits(2, 2));
    EXPECT_EQ(dialogs.texts(), (QStringList{"Are you sure to set number of digits (decimals) in "
                                            "columns Au - Au?",
                                            "Number of decimals in columns Au - Au",
                                            "Digits changed in 2 records!"}));
    const auto au = db.query(QStringLiteral("SELECT [Au] FROM [Samples] WHERE [SampleNo] IN "
                                            "('S0001', 'S0002') ORDER BY [SampleNo]"));
    ASSERT_TRUE(au);
    EXPECT_EQ(au->at(0, 0), CellValue::number(2.68));
    EXPECT_EQ(au->at(1, 0), CellValue::number(1.01));

    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(GridBulkEdits(grid.target(), dialogs, status).trim(1, 1));
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("1 records trimmed!"));
    EXPECT_EQ(rows(db, "SELECT [Rock] FROM [Samples] WHERE [SampleNo] = 'S0003'"),
              std::vector<QStringList>{{"Granite"}});

    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(GridBulkEdits(grid.target(), dialogs, status).updateRowNumber(3));
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Are you sure to update column RowNo\r\nwith incremental "
                                         "number (1,2,3...) ?")});
    EXPECT_EQ(rows(db, "SELECT [SampleNo], [RowNo] FROM [Samples] WHERE [RowNo] IN (1, 3, 1502) "
                       "ORDER BY [RowNo]"),
              (std::vector<QStringList>{{"AB1", "1"}, {"S0001", "3"}, {"S1500", "1502"}}));

    // Related data goes by equality: deleting A_1 keeps AB1; the view is not a table.
    grid.requery();
    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(GridBulkEdits(grid.target(), dialogs, status)
                    .deleteInAllTables({QStringLiteral("SampleNo")}, {1}, session.catalogue()));
    ASSERT_EQ(dialogs.texts().size(), 3);
    EXPECT_TRUE(dialogs.texts()[1].startsWith(QStringLiteral(
        "Are you sure to delete selected records (n=1) (and related data) from ALL database "
        "tables?")));
    EXPECT_EQ(dialogs.texts()[2], QStringLiteral("Number of rows deleted:\r\nSuccesfull "
                                                 "commands:\r\nTable:Samples 1 rows\r\nTable:"
                                                 "Trace 1 rows"));
    EXPECT_EQ(rows(db, "SELECT [SampleNo] FROM [Trace]"), std::vector<QStringList>{{"AB1"}});

    // Deleting selected rows asks with their count; No keeps them.
    grid.requery();
    dialogs.clearLog();
    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(GridBulkEdits(grid.target(), dialogs, status).deleteRows({0, 1}));
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Are you sure to delete selected records (n=2)")});
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(GridBulkEdits(grid.target(), dialogs, status).deleteRows({0, 1}));
    EXPECT_EQ(rows(db, "SELECT COUNT(*) FROM [Samples]"), std::vector<QStringList>{{"1499"}});

    // Saving the statement as a filter; a broken statement never costs the stored one.
    GridViewSaver saver(session, dialogs);
    dialogs.clearLog();
    dialogs.queueText(QStringLiteral("Granite"));
    QString created;
    EXPECT_EQ(
        saver.saveAsFilter(QStringLiteral("SELECT * FROM [Samples] WHERE [Rock] = 'Granite';"),
                           grid.name(), 499, &created),
        QStringLiteral("f_Granite"));
    EXPECT_EQ(created, QStringLiteral("CREATE VIEW [f_Granite] AS SELECT * FROM [Samples] WHERE "
                                      "[Rock] = 'Granite'"));
    EXPECT_EQ(dialogs.texts(),
              (QStringList{"Creating query of view: Samples\r\nContaining 499 records\r\n\r\nGIVE "
                           "NAME FOR THE FILTER (PREFIX f_ is added)",
                           "Filter f_Granite created"}));
    dialogs.clearLog();
    dialogs.queueText(QStringLiteral("f_Granite"));
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_EQ(saver.saveAsFilter(QStringLiteral("SELECT * FROM [Samples] WHERE [Rock] = 'Basalt'"),
                                 grid.name(), 500),
              QStringLiteral("f_Granite"));
    EXPECT_EQ(dialogs.texts()[1], QStringLiteral("Filter exists, do you want to overwrite?"));
    EXPECT_EQ(session.catalogue().filters.count(QStringLiteral("Granite")), 1);
    dialogs.queueText(QStringLiteral("Granite"));
    EXPECT_TRUE(
        saver.saveAsFilter(QStringLiteral("SELECT * FROM [Nowhere]"), grid.name(), 0).isEmpty());
    dialogs.queueText(QStringLiteral("Bad]Name"));
    EXPECT_TRUE(saver.saveAsQuery(QStringLiteral("SELECT 1"), grid.name(), 0).isEmpty());
    EXPECT_EQ(rows(db, "SELECT COUNT(*) FROM [f_Granite]"), std::vector<QStringList>{{"499"}});

    // A grid over a view shows its rows but writes nothing.
    GridController viewGrid(session, dialogs, status, views);
    ASSERT_TRUE(viewGrid.open(QStringLiteral("SELECT * FROM [f_Granite]"),
                              QStringLiteral("Filter/Samples")));
    EXPECT_EQ(viewGrid.name(), QStringLiteral(">Samples"));
    EXPECT_FALSE(viewGrid.model()->flags(viewGrid.model()->index(0, 1)) & Qt::ItemIsEditable);
    ASSERT_TRUE(viewGrid.open(QStringLiteral("SELECT * FROM [Samples] WHERE 1 = 0"),
                              QStringLiteral("Table/Samples")));
    EXPECT_EQ(viewGrid.recordCounter(0), QStringLiteral("Rec 0 / 0"));
    dialogs.clearLog();
    EXPECT_FALSE(viewGrid.open(QStringLiteral("SELECT * FROM [Nowhere]"), QStringLiteral("x")));
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(
        QStringLiteral("The rows of SELECT * FROM [Nowhere] cannot be read:")));
}

TEST(GridEngines, Sqlite) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.sqlite"));
    {
        auto created = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(created.ok());
        fill(*created.connection);
    }
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session(
        dialogs, status, [path](const QString&) { return SqliteConnection::open(path); },
        [&dir](const QString&) { return dir.filePath(QStringLiteral("grid.ake")); });
    exerciseGrid(session, dialogs, status);
}

TEST(GridEngines, PostgreSql) {
    if (PgScratchSchema::conninfo().isEmpty())
        GTEST_SKIP() << PgScratchSchema::skipReason;
    const PgScratchSchema schema(QStringLiteral("quv_grid"));
    ASSERT_TRUE(schema.ok()) << schema.error().toStdString();
    {
        auto filled = schema.open();
        ASSERT_TRUE(filled.ok()) << filled.error.toStdString();
        fill(*filled.connection);
    }
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session(
        dialogs, status, [&](const QString&) { return schema.open(); },
        [&dir](const QString&) { return dir.filePath(QStringLiteral("grid.ake")); });
    exerciseGrid(session, dialogs, status);
    session.CloseSessionDatabase();
}

} // namespace
