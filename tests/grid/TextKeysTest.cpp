// Sample names such as "007" and "1E3" reach the database as written when their field is a text
// field, whichever way they come in: pasted, paste-merged, appended, typed as a new record's key,
// or read from a CSV or TSV file that ClipData makes a table from.
#include "clipdata/ClipDataFiles.h"
#include "clipdata/ClipDataSheet.h"
#include "clipdata/TableFromSheetMaker.h"
#include "db/FieldTypes.h"
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "grid/DatabaseAppend.h"
#include "grid/GridController.h"
#include "grid/GridPaste.h"
#include "grid/GridTarget.h"
#include "grid/OpenViews.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

enum class Route { Paste, PasteMerge, Append, AddRecord, Csv, Tsv };

struct Case {
    Route route;
    const char* value;
    // The key field's Jet type; for CSV and TSV the type the made table's field must get.
    const char* type;
    CellValue stored;
};

const CellValue seven = CellValue::number(7);
CellValue text(const char* t) {
    return CellValue::text(QString::fromLatin1(t));
}

const Case cases[] = {
    {Route::Paste, "007", "TEXT(10)", text("007")},
    {Route::Paste, "1E3", "TEXT(10)", text("1E3")},
    {Route::Paste, "007", "LONG", seven},
    {Route::Paste, "1E3", "DOUBLE", CellValue::number(1000)},
    {Route::PasteMerge, "007", "TEXT(10)", text("007")},
    {Route::PasteMerge, "0042", "TEXT(10)", text("0042")},
    {Route::PasteMerge, "007", "LONG", seven},
    {Route::Append, "0042", "TEXT(10)", text("0042")},
    {Route::Append, "1E3", "TEXT(10)", text("1E3")},
    {Route::Append, "007", "LONG", seven},
    {Route::AddRecord, "007", "TEXT(10)", text("007")},
    {Route::AddRecord, "1E3", "TEXT(10)", text("1E3")},
    {Route::AddRecord, "007", "LONG", seven},
    {Route::Csv, "007", "TEXT", text("007")},
    {Route::Csv, "1E3", "INTEGER", CellValue::number(1000)},
    {Route::Tsv, "0042", "TEXT", text("0042")},
};

class TextKeys : public ::testing::Test {
protected:
    void open(const char* keyType) {
        const QString path = dir.filePath(QStringLiteral("keys.sqlite"));
        auto made = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(made.ok());
        ASSERT_TRUE(made.connection->execute(
            QStringLiteral("CREATE TABLE [T] ([Code] %1 CONSTRAINT [pk] PRIMARY KEY, [Note] "
                           "TEXT(20))")
                .arg(QLatin1String(keyType))));
        made.connection.reset();
        session = std::make_unique<SessionDatabase>(
            dialogs, status, [](const QString& p) { return SqliteConnection::open(p); },
            [](const QString& p) { return MapFile::pathFor(p, false, {}); });
        session->SessionDatabasePath = path;
        ASSERT_TRUE(session->OpenSessionDatabase({true, false, false}));
    }
    Connection& db() { return *session->connection(); }

    // The route's way in; the table written and the field holding the value.
    std::pair<QString, QString> write(const Case& c) {
        const QString value = QString::fromLatin1(c.value);
        const QString pasted = QStringLiteral("Code\tNote\r\n") + value + QStringLiteral("\tnew");
        GridTarget target{&db(),
                          QStringLiteral("SELECT * FROM [T]"),
                          {},
                          QStringLiteral("T"),
                          {QStringLiteral("Code")}};
        switch (c.route) {
        case Route::Paste:
            EXPECT_EQ(GridPaste(target, session->catalogue(), dialogs, status).append(pasted), 1);
            break;
        case Route::PasteMerge:
            // The record is there already; the pasted name must find it, not add a second one.
            EXPECT_TRUE(
                db().execute(QStringLiteral("INSERT INTO [T] VALUES (?, 'old')"), {c.stored}));
            dialogs.queueText(QStringLiteral("Code")); // neither "ID" nor "SampleNo"
            EXPECT_EQ(GridPaste(target, session->catalogue(), dialogs, status).merge(pasted), 1);
            EXPECT_TRUE(dialogs.texts().last().startsWith(
                QStringLiteral("Data in 1 rows merged. 0 records added.")));
            break;
        case Route::Append:
            dialogs.queueText(QStringLiteral("A"));
            dialogs.queueText(QStringLiteral("A"));
            dialogs.queueAnswer(Answer::No); // no scaling
            dialogs.queueAnswer(Answer::Yes);
            EXPECT_EQ(DatabaseAppend(db(), session->catalogue(), dialogs, status)
                          .run(pasted, QStringLiteral("tester"), QString()),
                      1);
            break;
        case Route::AddRecord: {
            OpenViews views;
            GridController grid(*session, dialogs, status, views);
            EXPECT_TRUE(grid.open(QStringLiteral("SELECT * FROM [T]"), QStringLiteral("T")));
            dialogs.queueText(value);
            EXPECT_TRUE(grid.addRecord());
            break;
        }
        case Route::Csv:
        case Route::Tsv: {
            const bool csv = c.route == Route::Csv;
            const QString file =
                dir.filePath(csv ? QStringLiteral("in.csv") : QStringLiteral("in.txt"));
            QFile out(file);
            EXPECT_TRUE(out.open(QIODevice::WriteOnly));
            const QString separator = csv ? QStringLiteral(",") : QStringLiteral("\t");
            out.write((QStringLiteral("SampleNo") + separator + QStringLiteral("Note\r\n") + value +
                       separator + QStringLiteral("x\r\n"))
                          .toUtf8());
            out.close();
            ClipDataSheet clip;
            EXPECT_TRUE(
                ClipDataFiles(clip, dialogs, status, dir.filePath(QStringLiteral("last.ini")))
                    .openPath(file));
            TableFromSheetMaker maker(dialogs, status);
            EXPECT_TRUE(maker.toggleKey(1));
            dialogs.queueAnswer(Answer::Yes);
            dialogs.queueText(QStringLiteral("Made"));
            EXPECT_TRUE(maker.MakeTableFromSheet(clip.activePage(), db()));
            return {QStringLiteral("Made"), QStringLiteral("SampleNo")};
        }
        }
        return {QStringLiteral("T"), QStringLiteral("Code")};
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    std::unique_ptr<SessionDatabase> session;
};

TEST_F(TextKeys, KeepTheirTextInTextFieldsOnEveryWayIn) {
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "route " << int(c.route) << " value " << c.value << " type " << c.type);
        const bool madeTable = c.route == Route::Csv || c.route == Route::Tsv;
        open(madeTable ? "TEXT(10)" : c.type);
        const auto [table, field] = write(c);
        const auto rows = db().query(QStringLiteral("SELECT [%1] FROM [%2]").arg(field, table));
        ASSERT_TRUE(rows) << db().lastError().toStdString();
        ASSERT_EQ(rows->rowCount(), 1) << dialogs.texts().join('\n').toStdString();
        EXPECT_EQ(rows->at(0, 0), c.stored) << rows->at(0, 0).toText().toStdString();
        if (madeTable) {
            EXPECT_EQ(FieldTypes::GetFieldType(db(), table, field)->name,
                      QString::fromLatin1(c.type));
        }
        session.reset();
        QFile::remove(dir.filePath(QStringLiteral("keys.sqlite")));
        dialogs.clearLog();
    }
}

} // namespace
