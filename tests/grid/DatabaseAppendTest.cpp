#include "grid/DatabaseAppend.h"
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Samples (SampleNo key, Rock), Assays (SampleNo key, Au, Cu) and Notes (no key, Rock).
class DatabaseAppendTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = dir_.filePath(QStringLiteral("a.sqlite"));
        auto opened = SqliteConnection::open(path_, SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(opened.ok());
        auto& db = opened.connection;
        for (const char* sql :
             {"CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Rock TEXT)",
              "CREATE TABLE Assays (SampleNo TEXT PRIMARY KEY, Au DOUBLE, Cu DOUBLE)",
              "CREATE TABLE Notes (Rock TEXT)", "INSERT INTO Samples VALUES ('S1', 'Granite')",
              "INSERT INTO Assays VALUES ('S1', 1, 10)"})
            ASSERT_TRUE(db->execute(QString::fromLatin1(sql))) << sql;
        db.reset();
        session_ = std::make_unique<SessionDatabase>(
            dialogs_, status_, [](const QString& p) { return SqliteConnection::open(p); },
            [](const QString& p) { return MapFile::pathFor(p, false, {}); });
        session_->SessionDatabasePath = path_;
        ASSERT_TRUE(session_->OpenSessionDatabase({true, false, false}));
        dialogs_.clearLog();
    }

    int run(const QString& text) {
        return DatabaseAppend(*session_->connection(), session_->catalogue(), dialogs_, status_)
            .run(text, QStringLiteral("tester"), dir_.filePath(QStringLiteral("data.log")));
    }

    QString rows(const char* sql) {
        const auto r = session_->connection()->query(QString::fromLatin1(sql));
        if (!r)
            return QStringLiteral("error");
        QStringList out;
        for (qsizetype i = 0; i < r->rowCount(); ++i) {
            QStringList cells;
            for (const CellValue& v : r->row(i))
                cells << v.toText();
            out << cells.join(QLatin1Char(','));
        }
        return out.join(QLatin1Char(';'));
    }

    QTemporaryDir dir_;
    QString path_;
    ScriptedDialogs dialogs_;
    HeadlessStatus status_;
    std::unique_ptr<SessionDatabase> session_;
};

const QString pasted = QStringLiteral("SampleNo\tAu\tRock\tColour\n"
                                      "S1\t2.675\tGneiss\tred\n"
                                      "S2\t3\tBasalt\tgrey\n"
                                      "\t9\tSchist\tblue\n");

} // namespace

TEST_F(DatabaseAppendTest, UpdatesByKeyAddsNewKeysAndLogs) {
    // SampleNo: Assays and Samples; Au: Assays; Rock: Samples only (Notes has no key).
    dialogs_.queueText(QStringLiteral("A"));
    dialogs_.queueText(QStringLiteral("A"));
    dialogs_.queueText(QStringLiteral("1")); // Rock: 1 = Samples, 2 = Notes
    dialogs_.queueAnswer(Answer::Yes);       // multipliers and decimals
    dialogs_.queueText(QStringLiteral("1")); // SampleNo is text: only Au is asked
    dialogs_.queueText(QStringLiteral("2"));
    dialogs_.queueAnswer(Answer::Yes); // Write to DB
    dialogs_.queueText(QStringLiteral("from the lab"));
    EXPECT_EQ(run(pasted), 4);
    EXPECT_EQ(rows("SELECT SampleNo, Au, Cu FROM Assays ORDER BY SampleNo"),
              QStringLiteral("S1,2.68,10;S2,3,"));
    EXPECT_EQ(rows("SELECT SampleNo, Rock FROM Samples ORDER BY SampleNo"),
              QStringLiteral("S1,Gneiss;S2,Basalt"));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Notes"), QStringLiteral("0"));

    const QStringList texts = dialogs_.texts();
    ASSERT_GE(texts.size(), 9);
    EXPECT_EQ(texts[0], DatabaseAppend::tablePrompt(1, "SampleNo", {"Samples", "Assays"}));
    EXPECT_EQ(texts[6],
              QStringLiteral("Data will be written in following tables:\r\n"
                             "** Samples\r\n"
                             " -Column 1 in field SampleNo; value multiplied by 1; digits:\r\n"
                             " -Column 3 in field Rock; value multiplied by 1; digits:\r\n"
                             "** Assays\r\n"
                             " -Column 1 in field SampleNo; value multiplied by 1; digits:\r\n"
                             " -Column 2 in field Au; value multiplied by 1; digits:2\r\n"
                             "Following columns are not written in database:\r\n"
                             "Column 4=Colour\r\n\r\nWrite to DB?"));
    EXPECT_EQ(texts.back(), QStringLiteral("A total of 2 rows was written in table Samples\r\n"
                                           "A total of 2 rows was written in table Assays"));

    QFile log(dir_.filePath(QStringLiteral("data.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("<<<<< DATA ADDED ON "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(" BY tester>>>>>>\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("Note: from the lab\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("<<<<<< END OF DATA WRITING >>>>>>\n")));
}

TEST_F(DatabaseAppendTest, AColumnInAnotherUnitIsConvertedIntoTheFieldThatHasTheElement) {
    ASSERT_TRUE(session_->connection()->execute(
        "CREATE TABLE Trace (SampleNo TEXT PRIMARY KEY, [Cu_ppm] DOUBLE)"));
    session_->catalogue().addTable("Trace");
    session_->catalogue().addField("Trace", "SampleNo");
    session_->catalogue().addField("Trace", "Cu_ppm");
    dialogs_.queueText("3");           // SampleNo: Samples, Assays, Trace
    dialogs_.queueText("1");           // Cu%: Trace's Cu_ppm
    dialogs_.queueAnswer(Answer::Yes); // multipliers and decimals
    dialogs_.queueText("2");           // on top of the unit
    dialogs_.queueText("");
    dialogs_.queueAnswer(Answer::Yes); // Write to DB
    dialogs_.queueText("");
    EXPECT_EQ(run("SampleNo\tCu%\nS1\t0.25\n"), 1);
    EXPECT_EQ(rows("SELECT SampleNo, [Cu_ppm] FROM Trace"), "S1,5000");
    const QStringList texts = dialogs_.texts();
    EXPECT_EQ(texts.value(1), DatabaseAppend::tablePrompt(2, "Cu%", {"Trace (Cu_ppm)"}));
    EXPECT_TRUE(texts.join('\n').contains(
        " -Column 2 in field Cu_ppm; value multiplied by 20000; digits:\r\n"))
        << texts.join('\n').toStdString();
}

TEST_F(DatabaseAppendTest, ATableWithoutItsKeyGetsNothing) {
    dialogs_.queueText(QStringLiteral("0")); // SampleNo excluded
    dialogs_.queueText(QStringLiteral("1")); // Au: Assays
    dialogs_.queueText(QStringLiteral("0")); // Rock excluded
    dialogs_.queueAnswer(Answer::No);        // no scaling
    dialogs_.queueAnswer(Answer::Yes);
    EXPECT_EQ(run(pasted), 0);
    EXPECT_EQ(dialogs_.texts().back(),
              QStringLiteral("No rows written in table Assays due to missing key field."));
    EXPECT_EQ(rows("SELECT Au FROM Assays"), QStringLiteral("1"));
}

TEST_F(DatabaseAppendTest, EveryCancelAndAFailingRowLeaveTheDatabaseUntouched) {
    const QString before = rows("SELECT * FROM Assays") + rows("SELECT * FROM Samples");
    struct Case {
        const char* name;
        std::function<void(ScriptedDialogs&)> answers;
    };
    const std::vector<Case> cases{
        {"table choice cancelled", [](ScriptedDialogs& d) { d.queueCancel(); }},
        {"scaling cancelled",
         [](ScriptedDialogs& d) {
             for (int i = 0; i < 3; ++i)
                 d.queueText(QStringLiteral("A"));
             d.queueAnswer(Answer::Cancel);
         }},
        {"plan declined",
         [](ScriptedDialogs& d) {
             for (int i = 0; i < 3; ++i)
                 d.queueText(QStringLiteral("A"));
             d.queueAnswer(Answer::No);
             d.queueAnswer(Answer::No);
         }},
    };
    for (const Case& c : cases) {
        c.answers(dialogs_);
        EXPECT_EQ(run(pasted), -1) << c.name;
        EXPECT_EQ(rows("SELECT * FROM Assays") + rows("SELECT * FROM Samples"), before) << c.name;
    }
    // Au text in a DOUBLE column is accepted by SQLite; a key clash is not: S1 twice where the
    // second cannot be inserted because Samples has a second unique constraint.
    ASSERT_TRUE(session_->connection()->execute(
        QStringLiteral("CREATE UNIQUE INDEX ix_rock ON Samples (Rock)")));
    dialogs_.clearLog();
    for (int i = 0; i < 3; ++i)
        dialogs_.queueText(QStringLiteral("A"));
    dialogs_.queueAnswer(Answer::No);
    dialogs_.queueAnswer(Answer::Yes);
    EXPECT_EQ(run(QStringLiteral("SampleNo\tAu\tRock\nS1\t5\tBasalt\nS2\t6\tBasalt\n")), -1);
    EXPECT_TRUE(dialogs_.texts().back().startsWith(QStringLiteral("Nothing was written: ")));
    EXPECT_EQ(rows("SELECT * FROM Assays") + rows("SELECT * FROM Samples"), before);
}
