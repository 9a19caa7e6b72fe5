#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "grid/GridColumnStatistics.h"
#include "grid/GridSchemaCommands.h"
#include "grid/MapInfoExport.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(GridColumnStatistics, TabulatesTheChosenColumnsOverTheChosenRecords) {
    RowSet rows({QStringLiteral("SampleNo"), QStringLiteral("Au"), QStringLiteral("Cu")});
    rows.appendRow(
        {CellValue::text(QStringLiteral("S1")), CellValue::number(1), CellValue::number(0.1)});
    rows.appendRow(
        {CellValue::text(QStringLiteral("S2")), CellValue::number(2), CellValue::number(0.2)});
    rows.appendRow({CellValue::text(QStringLiteral("S3")), CellValue::null(), CellValue::null()});
    rows.appendRow(
        {CellValue::text(QStringLiteral("S4")), CellValue::number(6), CellValue::number(0.4)});
    const auto columnOf = [](const Sheet& sheet, int column) {
        QStringList out;
        for (int r = 1; r <= sheet.lastRow(); ++r)
            out << sheet.text(r, column);
        return out;
    };
    const Sheet all = GridColumnStatistics::table(rows, {1, 0});
    EXPECT_EQ(columnOf(all, 1), (QStringList{"Statistic", "n", "avg", "min", "max", "stdev", "var",
                                             "median", "kurtosis", "skewness"}));
    EXPECT_EQ(columnOf(all, 2), (QStringList{"Au", "3", "3", "1", "6", "2.6457513110645907", "7",
                                             "2", "", "1.4578629673213046"}));
    // A column without numbers has n = 0 and nothing else.
    EXPECT_EQ(columnOf(all, 3).mid(0, 3), (QStringList{"SampleNo", "0", ""}));

    // Selected records only; the sum of 0.1 and 0.2 is stored whole, shown rounded.
    const Sheet selected = GridColumnStatistics::table(rows, {2}, {0, 1, 2});
    EXPECT_EQ(columnOf(selected, 2).mid(0, 3), (QStringList{"Cu", "2", "0.15000000000000002"}));
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

QString unzipped(const QString& archive, const QString& member) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    unzip.waitForFinished(30000);
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

TEST(MapInfoExport, WritesHeadingsValuesAndTheNullStandIn) {
    QTemporaryDir dir;
    RowSet rows({QStringLiteral("SampleNo"), QStringLiteral("Au")});
    rows.appendRow({CellValue::text(QStringLiteral("Ö-1")), CellValue::number(0.125)});
    rows.appendRow({CellValue::text(QStringLiteral("S2")), CellValue::null()});
    ScriptedDialogs dialogs;
    dialogs.queueText(QStringLiteral("-999"));
    const QString path = dir.filePath(QStringLiteral("Samples.xlsx"));
    dialogs.queueText(path);
    ASSERT_TRUE(MapInfoExport(dialogs).run(rows, QStringLiteral("Samples"), dir.path()));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part")));
    const QString sheet = unzipped(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QString strings = unzipped(path, QStringLiteral("xl/sharedStrings.xml"));
    ASSERT_FALSE(sheet.isEmpty());
    EXPECT_TRUE(sheet.contains(QStringLiteral("<v>0.125</v>"))) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains(QStringLiteral("<v>-999</v>"))) << sheet.toStdString();
    for (const char* text : {"SampleNo", "Au", "Ö-1", "S2"})
        EXPECT_TRUE(strings.contains(QString::fromUtf8(text))) << text;

    // Cancelling either question writes nothing.
    const QString other = dir.filePath(QStringLiteral("other.xlsx"));
    dialogs.queueCancel();
    EXPECT_FALSE(MapInfoExport(dialogs).run(rows, QStringLiteral("other"), dir.path()));
    dialogs.queueText(QString());
    dialogs.queueCancel();
    EXPECT_FALSE(MapInfoExport(dialogs).run(rows, QStringLiteral("other"), dir.path()));
    EXPECT_FALSE(QFile::exists(other));

    QString error;
    EXPECT_FALSE(
        MapInfoExport::write(rows, {}, dir.filePath(QStringLiteral("no/such/x.xlsx")), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Error in writing file "))) << error.toStdString();
}

} // namespace
