#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "grid/GridColumnStatistics.h"
#include "grid/GridSchemaCommands.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(GridColumnStatistics, ShowsTheGridsStatisticsWithEmptyCellsForNone) {
    RowSet rows({QStringLiteral("SampleNo"), QStringLiteral("Au")});
    rows.appendRow({CellValue::text(QStringLiteral("S1")), CellValue::number(1)});
    rows.appendRow({CellValue::text(QStringLiteral("S2")), CellValue::number(2)});
    rows.appendRow({CellValue::text(QStringLiteral("S3")), CellValue::null()});
    rows.appendRow({CellValue::text(QStringLiteral("S4")), CellValue::number(6)});
    EXPECT_EQ(GridColumnStatistics::lines(rows, 1),
              (QStringList{"n\t3", "avg\t3", "min\t1", "max\t6", "stdev\t2.6457513110645907",
                           "var\t7", "median\t2", "kurtosis\t", "skewness\t1.4578629673213046"}));
    EXPECT_EQ(GridColumnStatistics::lines(rows, 0).mid(0, 2), (QStringList{"n\t0", "avg\t"}));
}

TEST(GridSchemaCommands, MakeTableAddFieldAndDeleteTableWithTheirPrompts) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.sqlite"));
    SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session(
        dialogs, status, [](const QString& p) { return SqliteConnection::open(p); },
        [](const QString& p) { return MapFile::pathFor(p, false, {}); });
    session.SessionDatabasePath = path;
    ASSERT_TRUE(session.OpenSessionDatabase({true, false, false}));
    GridSchemaCommands commands(session, dialogs);

    dialogs.queueText(QString());
    EXPECT_FALSE(commands.makeTable());
    dialogs.queueText(QStringLiteral("Misce"));
    dialogs.queueAnswer(Answer::Yes);
    QString created;
    EXPECT_TRUE(commands.makeTable(&created));
    EXPECT_EQ(created, QStringLiteral("Misce"));
    EXPECT_EQ(dialogs.texts(),
              (QStringList{"Create table in current database. Enter tablename below",
                           "Operation cancelled (due to empty table name)",
                           "Create table in current database. Enter tablename below",
                           "Table Misce created. Define at least one field.", "Add Field?"}));

    dialogs.clearLog();
    EXPECT_FALSE(commands.addField(created, {}));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Give name for the field.")});
    ASSERT_TRUE(commands.addField(
        created, {QStringLiteral("SampleNo"), QStringLiteral("TEXT"), 12, true, true, true}));
    ASSERT_TRUE(commands.addField(created, {QStringLiteral("Au"), QStringLiteral("DOUBLE")}));
    EXPECT_EQ(session.catalogue().fieldNames(created), (QStringList{"SampleNo", "Au"}));
    ASSERT_TRUE(
        session.connection()->execute(QStringLiteral("INSERT INTO [Misce] VALUES ('00123', 1.5)")));
    const auto stored =
        session.connection()->query(QStringLiteral("SELECT [SampleNo] FROM [Misce]"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->at(0, 0), CellValue::text(QStringLiteral("00123")));
    // A second field of the same name is refused by the database, and said so.
    dialogs.clearLog();
    EXPECT_FALSE(commands.addField(created, {QStringLiteral("Au"), QStringLiteral("DOUBLE")}));
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QStringLiteral("Field Au cannot be added.\r\n")));

    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_TRUE(commands.deleteTable(created));
    EXPECT_EQ(dialogs.texts(), (QStringList{"Are you sure to delete table [Misce] ?",
                                            "Table Misce has been deleted!"}));
    EXPECT_FALSE(session.connection()->query(QStringLiteral("SELECT * FROM [Misce]")));
}

} // namespace
