// Link content processed into ClipData on real engines: the statement it builds from names and
// keys sent by another program, the questions and messages, and what is sent back.
#include "link/LinkExchange.h"
#include "link/LinkEngine.h"

#include "clipdata/ClipDataSheet.h"
#include "db/SessionDatabase.h"
#include "link/LinkKeyStatement.h"
#include "link/LinkPeer.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/postgres/PgConnection.h"

namespace {

// The sibling program as a list of what was sent to it.
struct RecordingPeer : LinkPeer {
    explicit RecordingPeer(LinkSettings s)
        : LinkPeer(std::move(s)) {}
    bool reachable() const override { return up; }
    bool send(const QString& text) override {
        sent << text;
        return up;
    }
    bool up = true;
    QStringList sent;
};

class LinkExchangeTest : public LinkEngine {
protected:
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    ClipDataSheet clip;
    SessionDatabase session{dialogs, status, [](const QString&) { return OpenedConnection{}; },
                            [](const QString&) { return QString(); }};
    RecordingPeer peer{{QStringLiteral("sibling"), QStringLiteral("topic"), QStringLiteral("item"),
                        LinkSettings::Socket}};
    LinkExchange exchange{session, clip, dialogs, status, peer, {dir.path()}};

    QString content(const QString& lines) { return databaseLines() + lines; }
    QString firstColumn() const {
        QStringList keys;
        for (int r = 1; r <= clip.activePage().lastRow(); ++r)
            keys << clip.activePage().text(r, 1);
        return keys.join(u' ');
    }
};

TEST_P(LinkExchangeTest, KeysSelectTheirRowsAndNothingElse) {
    const struct {
        const char* lines;
        const char* firstColumn; // ClipData's column 1 after the fetch, rows joined by " "
    } cases[] = {
        {"TABLENAME=chem\r\nKEYFIELDS=hole\r\nkeydata=12,\r\n,15, 14", "Hole 12 14 15"},
        {"TABLENAME=Chem\r\nKEYFIELDS=SampleNo\r\nKEYDATA=S2,O'Neil", "SampleNo O'Neil S2"},
        // Keys made to break out of the statement select nothing.
        {"TABLENAME=Chem\r\nKEYFIELDS=Hole\r\nKEYDATA=1); DROP TABLE Other; --", "Hole"},
        {"TABLENAME=Chem\r\nKEYFIELDS=SampleNo\r\nKEYDATA=x') OR ('1'='1", "SampleNo"},
        // SQL= runs instead of the key selection, without a table or a question.
        {"TABLENAME=Chem\r\nKEYDATA=12\r\nSQL=SELECT [Hole], [Au] FROM [Chem] WHERE [Au] > 3 "
         "ORDER BY [Hole] ;",
         "Hole 13 14"},
    };
    for (const auto& c : cases) {
        clip.activePage().clear();
        ASSERT_TRUE(exchange.ProcessLinkContent(content(QString::fromUtf8(c.lines))))
            << c.lines << dialogs.texts().join(u'|').toStdString();
        QStringList rows = firstColumn().split(u' ');
        std::sort(rows.begin() + 1, rows.end());
        EXPECT_EQ(rows.join(u' '), QString::fromUtf8(c.firstColumn)) << c.lines;
    }
    EXPECT_TRUE(db->query(QStringLiteral("SELECT [x] FROM [Other]")).has_value());
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(status.texts().value(0), QStringLiteral("Connecting to sibling / topic / item"));
    for (const char* text : {"Processing DDE-link content", "Retrieving data...", "Ready"})
        EXPECT_TRUE(status.texts().contains(QString::fromUtf8(text))) << text;
}

TEST_P(LinkExchangeTest, QuestionsAndFailuresFetchNothing) {
    const struct {
        const char* lines;
        bool peerUp;
        std::vector<Answer> answers;
        bool fetched;
        const char* said; // the start of the first text the person saw
    } cases[] = {
        {"TABLENAME=Chem",
         true,
         {Answer::No},
         false,
         "No rows selected in Chem. Do you want to run following query?\r\nSELECT [Chem].* FROM "
         "[Chem]?\r\n(Note that operation may take a long time)"},
        {"TABLENAME=Chem\r\nKEYFIELDS=Hole",
         true,
         {Answer::Yes},
         true,
         "No rows selected in Chem. Do you want to run following query?\r\nSELECT [Chem].[Hole], "
         "[Chem].* FROM [Chem]?"},
        {"TABLENAME=Chem\r\nKEYDATA=1",
         false,
         {Answer::Cancel},
         false,
         "Linked program not found.\r\n(Connction string:sibling,topic,item)\r\nContinue anyway?"},
        {"TABLENAME=Chem]; DROP TABLE Other\r\nKEYFIELDS=Hole\r\nKEYDATA=1",
         true,
         {},
         false,
         "Table Chem]; DROP TABLE Other is not in the database"},
        {"TABLENAME=Chem\r\nKEYFIELDS=Hole]\r\nKEYDATA=1",
         true,
         {},
         false,
         "Field Hole] is not in table Chem"},
        // SQL= that is more than one SELECT is not run.
        {"SQL=SELECT * FROM [Chem]; DROP TABLE [Other]",
         true,
         {},
         false,
         "Only a single SELECT statement of link content is run:\r\nSELECT * FROM [Chem]; DROP"},
        {"SQL=SELECT * INTO [Copy] FROM [Chem]", true, {}, false, "Only a single SELECT statement"},
        {"SQL=DELETE FROM [Other]", true, {}, false, "Only a single SELECT statement"},
        // Command lines alone fetch nothing; without the running program nothing runs them.
        {"COMMAND=VIEW XY", true, {}, false, "Command lines of link content cannot be run here"},
    };
    for (const auto& c : cases) {
        dialogs = ScriptedDialogs();
        for (Answer a : c.answers)
            dialogs.queueAnswer(a);
        clip.activePage().clear();
        peer.up = c.peerUp;
        EXPECT_EQ(exchange.ProcessLinkContent(content(QString::fromUtf8(c.lines))), c.fetched)
            << c.lines;
        ASSERT_FALSE(dialogs.texts().isEmpty()) << c.lines;
        EXPECT_TRUE(dialogs.texts()[0].startsWith(QString::fromUtf8(c.said)))
            << dialogs.texts()[0].toStdString();
        EXPECT_EQ(clip.activePage().lastRow() > 0, c.fetched) << c.lines;
    }
    const auto other = db->query(QStringLiteral("SELECT [x] FROM [Other]"));
    ASSERT_TRUE(other.has_value());
    EXPECT_EQ(other->rowCount(), 1);
}

// A SELECT that calls a function that writes is run read-only on a server and changes nothing.
TEST_P(LinkExchangeTest, SqlSentRunsReadOnlyOnAServer) {
    if (GetParam() != Engine::Postgres)
        GTEST_SKIP() << "a SELECT on SQLite cannot write";
    auto* pg = dynamic_cast<PgConnection*>(db.get());
    ASSERT_NE(pg, nullptr);
    ASSERT_TRUE(pg->executeNative(QStringLiteral("CREATE SEQUENCE link_counter")));
    EXPECT_FALSE(exchange.ProcessLinkContent(
        content(QStringLiteral("SQL=SELECT nextval('link_counter') AS n"))));
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QStringLiteral("Error in retrieving data:")))
        << dialogs.texts()[0].toStdString();
    const auto next = pg->queryNative(QStringLiteral("SELECT nextval('link_counter')"));
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->at(0, 0).toNumber().value_or(-1), 1); // the link's call never counted
}

TEST_P(LinkExchangeTest, RowsPickedInClipDataAreSentWithTheReceivedNames) {
    ASSERT_TRUE(exchange.ProcessLinkContent(
        content(QStringLiteral("TABLENAME=Chem\r\nFLD=Au\r\nKEYFIELDS=SampleNo\r\nKEYDATA=S1"))));
    session.SessionDatabasePath = QStringLiteral("/data/rocks.sqlite");
    EXPECT_EQ(exchange.clipDataKey(2), QStringLiteral("S1"));
    EXPECT_TRUE(exchange.clipDataKey(1).isEmpty()); // the heading row is no record
    ASSERT_TRUE(exchange.SendLinkSelection(exchange.clipDataKey(2)));
    ASSERT_TRUE(exchange.SendLinkSelection(QStringLiteral("-999")));
    EXPECT_EQ(
        peer.sent,
        (QStringList{"DATABASENAME=/data/rocks.sqlite\r\nTABLENAME=Chem\r\nFLD=Au\r\nODBC=\r\n"
                     "KEYFIELDS=SampleNo\r\nKEYDATA=S1",
                     "DATABASENAME=/data/rocks.sqlite\r\nTABLENAME=Chem\r\nFLD=Au\r\nODBC=\r\n"
                     "KEYFIELDS=SampleNo\r\nKEYDATA="}));
    peer.up = false;
    EXPECT_FALSE(exchange.SendLinkSelection(QStringLiteral("S2")));
    EXPECT_EQ(dialogs.texts(), QStringList{"Linked program not found."});
}

INSTANTIATE_TEST_SUITE_P(Engines, LinkExchangeTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

TEST(LinkExchange, SourceThatCannotBeOpenedSaysWhy) {
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    ClipDataSheet clip;
    SessionDatabase session{dialogs, status, [](const QString&) { return OpenedConnection{}; },
                            [](const QString&) { return QString(); }};
    LinkPeer peer{{}};
    LinkExchange exchange{session, clip, dialogs, status, peer, {}};
    EXPECT_FALSE(exchange.ProcessLinkContent(QStringLiteral(
        "DATABASENAME=/nowhere/rocks.sqlite\r\nTABLENAME=Chem\r\nKEYFIELDS=a\r\nKEYDATA=1")));
    EXPECT_FALSE(exchange.ProcessLinkContent(QStringLiteral(
        "ODBC=DSN=nosuchservice;PWD=secret\r\nTABLENAME=Chem\r\nKEYFIELDS=a\r\nKEYDATA=1")));
    const QStringList said = dialogs.texts();
    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(said[0].startsWith("Error in opening database /nowhere/rocks.sqlite\r\nThe file "))
        << said[0].toStdString();
    EXPECT_TRUE(said[1].startsWith("Error in opening database service='nosuchservice' "))
        << said[1].toStdString();
    EXPECT_FALSE(said[1].contains("secret")) << said[1].toStdString();
}

} // namespace
