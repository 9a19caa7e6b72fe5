// Making a table from a ClipData page on real engines: the questions, the table read back, and
// nothing left behind by a No, a Cancel or a failing row.
#include "clipdata/TableFromSheetMaker.h"
#include "clipdata/ClipDataEngine.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Sheet.h"

namespace {

class MakeTable : public ClipDataEngine {
protected:
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    TableFromSheetMaker maker{dialogs, status};
    Sheet page;

    void SetUp() override {
        ClipDataEngine::SetUp();
        page.fromTsv(QStringLiteral("SampleNo\tAu\tRock\tNote\n"
                                    "S1\t0.5\tBasalt\t7\n"
                                    "S2\t40000\tO'Brien\tx\n"));
    }

    bool tableExists(const QString& name) {
        const auto tables = db->tables();
        EXPECT_TRUE(tables);
        return std::any_of(tables->begin(), tables->end(), [&](const TableDescription& t) {
            return t.name.compare(name, Qt::CaseInsensitive) == 0;
        });
    }
    QStringList rows(const QString& sql) {
        const auto set = db->query(sql);
        EXPECT_TRUE(set) << db->lastError().toStdString();
        QStringList out;
        for (qsizetype r = 0; set && r < set->rowCount(); ++r) {
            QStringList cells;
            for (const CellValue& v : set->row(r))
                cells << (v.isNull() ? QStringLiteral("NULL") : v.toText());
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }
};

TEST_P(MakeTable, WritesTheRowsWithKeyAndTypes) {
    ASSERT_TRUE(maker.toggleKey(1));
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueText(QStringLiteral("New Rocks"));
    ASSERT_TRUE(maker.MakeTableFromSheet(page, *db)) << dialogs.texts().join("\n").toStdString();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Table added"));
    EXPECT_EQ(rows(QStringLiteral("SELECT [SampleNo], [Au], [Rock], [Note] FROM [New Rocks] "
                                  "ORDER BY [SampleNo]")),
              (QStringList{"S1|0.5|Basalt|7", "S2|40000|O'Brien|x"}));
    // The key is unique: a second S1 is refused.
    EXPECT_FALSE(db->execute(QStringLiteral("INSERT INTO [New Rocks] ([SampleNo]) VALUES ('S1')")));
}

TEST_P(MakeTable, SeveralKeysGiveOneIndexAndTheSameNameTwiceFailsCleanly) {
    ASSERT_TRUE(maker.toggleKey(1));
    ASSERT_TRUE(maker.toggleKey(3));
    for (int i = 0; i < 2; ++i) {
        dialogs.queueAnswer(Answer::Yes);
        dialogs.queueText(QStringLiteral("Twice"));
    }
    ASSERT_TRUE(maker.MakeTableFromSheet(page, *db)) << dialogs.texts().join("\n").toStdString();
    EXPECT_FALSE(maker.MakeTableFromSheet(page, *db));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Error and table was not created"));
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM [Twice]")), QStringList{"2"});
}

TEST_P(MakeTable, FailingRowLeavesNoTable) {
    Sheet dated;
    dated.fromTsv(QStringLiteral("SampleNo\tSampleDate\nS1\t2024-01-05\nS2\tnot a date\n"));
    ASSERT_TRUE(maker.toggleKey(1));
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueText(QStringLiteral("Dated"));
    EXPECT_FALSE(maker.MakeTableFromSheet(dated, *db));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Error and table was not created"));
    EXPECT_FALSE(tableExists(QStringLiteral("Dated")));
}

TEST_P(MakeTable, EveryNoOrCancelLeavesSheetAndDatabaseUnchanged) {
    ASSERT_TRUE(maker.toggleKey(3)); // "Rock": not SampleNo, so one more question
    const Sheet before = page;
    const std::vector<std::vector<ScriptedDialogs::Reply>> scripts{
        {{Answer::No, {}}},
        {{Answer::Yes, {}}, {Answer::No, {}}},
        {{Answer::Yes, {}}, {Answer::Yes, {}}, {}},
        {{Answer::Yes, {}}, {Answer::Yes, {}}, {std::nullopt, QStringLiteral("  ")}},
    };
    for (size_t i = 0; i < scripts.size(); ++i) {
        for (const auto& reply : scripts[i]) {
            if (reply.answer)
                dialogs.queueAnswer(*reply.answer);
            else if (reply.text)
                dialogs.queueText(*reply.text);
            else
                dialogs.queueCancel();
        }
        EXPECT_FALSE(maker.MakeTableFromSheet(page, *db)) << i;
        EXPECT_EQ(page, before) << i;
        EXPECT_TRUE(db->tables()->empty()) << i;
        EXPECT_EQ(maker.keyColumns(), std::vector<int>{3}) << i;
    }
    EXPECT_TRUE(dialogs.texts().contains(
        QStringLiteral("Table won't be created, but marked columns remain marked as indexed.")));
}

INSTANTIATE_TEST_SUITE_P(Engines, MakeTable, ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         engineName);

TEST(TableFromSheetMaker, PreconditionsAndKeyLimit) {
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    TableFromSheetMaker maker{dialogs, status};
    QTemporaryDir dir;
    OpenedConnection db = SqliteConnection::open(dir.filePath(QStringLiteral("x.sqlite")),
                                                 SqliteConnection::Mode::ReadWriteCreate);
    ASSERT_TRUE(db.ok());
    struct Case {
        QString tsv;
        QString message;
    } cases[] = {
        {"", "No data. Can not make a table before there is data."},
        {"A\n", "No data. Can not make a table before there is data."},
        {"A\t\tC\n1\t\t2\n", "Column 2 has not been named. Each column which has data, has to "
                             "be named. Empty column can not exist in the middle of the "
                             "worksheet."},
        {"A\n1\n", "No index key selected! Aborting table making routine"},
    };
    for (const Case& c : cases) {
        Sheet page;
        page.fromTsv(c.tsv);
        dialogs.clearLog();
        EXPECT_FALSE(maker.MakeTableFromSheet(page, *db.connection));
        EXPECT_EQ(dialogs.texts(), QStringList{c.message}) << c.tsv.toStdString();
    }
    for (int c = 1; c <= 5; ++c)
        EXPECT_TRUE(maker.toggleKey(c));
    EXPECT_FALSE(maker.toggleKey(6));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Maximum number of indexed fields is five."));
    EXPECT_TRUE(maker.toggleKey(2)); // unmarking
    EXPECT_TRUE(maker.toggleKey(6));
    EXPECT_EQ(maker.keyColumns(), (std::vector<int>{1, 3, 4, 5, 6}));
}

} // namespace

namespace {

TEST(TableFromSheetMaker, NewDatabaseHoldsTheTableOrIsRemoved) {
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    TableFromSheetMaker maker{dialogs, status};
    QTemporaryDir dir;
    Sheet page;
    page.fromTsv(QStringLiteral("SampleNo\tAu\nS1\t1.5\n"));
    ASSERT_TRUE(maker.toggleKey(1));
    QStringList activated;
    const auto activate = [&](const QString& p) {
        activated << p;
        return true;
    };
    const QString cancelled = dir.filePath(QStringLiteral("no.sqlite"));
    dialogs.queueText(cancelled);
    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(maker.MakeTableInNewDatabase(page, activate));
    EXPECT_FALSE(QFile::exists(cancelled));

    const QString made = dir.filePath(QStringLiteral("new.sqlite"));
    dialogs.queueText(made);
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueText(QStringLiteral("Assay"));
    ASSERT_TRUE(maker.MakeTableInNewDatabase(page, activate));
    EXPECT_EQ(activated, QStringList{made});
    EXPECT_EQ(dialogs.texts().last(),
              QStringLiteral("New database created, acivated and  saved for the first time"));
    OpenedConnection db = SqliteConnection::open(made);
    ASSERT_TRUE(db.ok());
    const auto rows = db.connection->query(QStringLiteral("SELECT [SampleNo], [Au] FROM [Assay]"));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->at(0, 1), CellValue::number(1.5));

    dialogs.queueText(made); // an existing file is never reused
    EXPECT_FALSE(maker.MakeTableInNewDatabase(page, activate));
    EXPECT_TRUE(QFile::exists(made));
    EXPECT_EQ(activated.size(), 1);
}

} // namespace
