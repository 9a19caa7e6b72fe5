#include "app/SampleBrowser.h"
#include "db/SessionDatabase.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/SqliteSession.h"

#include <gtest/gtest.h>

namespace {

class SampleBrowserTest : public SqliteSession {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        session.SessionDatabasePath = dir.filePath(QStringLiteral("rocks.sqlite"));
        auto created = SqliteConnection::open(session.SessionDatabasePath,
                                              SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(created.ok());
        for (const char* sql : {
                 "CREATE TABLE Samples (Id INTEGER PRIMARY KEY, SampleNo TEXT UNIQUE, Rock TEXT, "
                 "Depth DOUBLE, Hole INTEGER)",
                 "INSERT INTO Samples VALUES (1, 'S-1', 'Granite', 1.5, 7)",
                 "INSERT INTO Samples VALUES (2, 'S-2', 'Basalt', 2.5, 7)",
                 "INSERT INTO Samples VALUES (3, 'S-3', 'Basalt', NULL, 7)",
                 "INSERT INTO Samples VALUES (4, 'S-4', 'Basalt', 4.5, 8)",
                 "INSERT INTO Samples VALUES (5, 'Q\"5''', 'Gabbro', 5.5, 9)",
                 "CREATE TABLE Notes (Hole INTEGER, Note TEXT)",
                 "INSERT INTO Notes VALUES (7, 'a')",
                 "INSERT INTO Notes VALUES (7, 'a')",
             })
            ASSERT_TRUE(created.connection->execute(QString::fromUtf8(sql))) << sql;
        created.connection.reset();
        ASSERT_TRUE(session.OpenSessionDatabase({true, false, false}));
    }

    std::vector<QStringList> rows(const QString& sql) {
        std::vector<QStringList> out;
        const auto set = session.connection()->query(sql);
        EXPECT_TRUE(set) << session.connection()->lastError().toStdString();
        for (qsizetype r = 0; set && r < set->rowCount(); ++r) {
            QStringList cells;
            for (const CellValue& v : set->row(r))
                cells << (v.isNull() ? QStringLiteral("<null>") : v.toText());
            out.push_back(cells);
        }
        return out;
    }

    void browse(const QString& table, const QString& field, const QString& value) {
        browser.table = table;
        browser.field = field;
        browser.value = value;
    }

    SampleBrowser browser{session, dialogs, status};
};

TEST_F(SampleBrowserTest, StatementsQuoteTextValuesOnceAndKeepNumbers) {
    const struct {
        const char* field;
        const char* value;
        const char* retrieve;
    } cases[] = {
        {"SampleNo", "S-1", "SELECT * FROM [Samples] WHERE (([Samples].[SampleNo] LIKE \"S-1\"));"},
        {"SampleNo", "\"S-1\"",
         "SELECT * FROM [Samples] WHERE (([Samples].[SampleNo] LIKE \"S-1\"));"},
        {"SampleNo", "\"S-1",
         "SELECT * FROM [Samples] WHERE (([Samples].[SampleNo] LIKE \"S-1\"));"},
        {"SampleNo", "x\" OR \"1\"=\"1",
         "SELECT * FROM [Samples] WHERE (([Samples].[SampleNo] LIKE \"x\"\" OR "
         "\"\"1\"\"=\"\"1\"));"},
        {"Hole", " 7 ", "SELECT * FROM [Samples] WHERE (([Samples].[Hole] LIKE 7));"},
        {"Hole", "7 OR 1=1",
         "SELECT * FROM [Samples] WHERE (([Samples].[Hole] LIKE \"7 OR 1=1\"));"},
    };
    for (const auto& c : cases) {
        browse(QStringLiteral("Samples"), QString::fromUtf8(c.field), QString::fromUtf8(c.value));
        EXPECT_EQ(browser.retrieveStatement(), QString::fromUtf8(c.retrieve)) << c.value;
    }
    browse(QStringLiteral("Samples"), QStringLiteral("Rock"), QStringLiteral("Basalt"));
    EXPECT_EQ(browser.criteriaStatement(),
              QStringLiteral("SELECT * FROM [Samples] WHERE [Rock] LIKE \"Basalt\""));
}

TEST_F(SampleBrowserTest, RetrieveShowsTheFirstRecordOrNoData) {
    browse(QStringLiteral("Samples"), QStringLiteral("SampleNo"), QStringLiteral("S-3"));
    ASSERT_TRUE(browser.MainNayteTieto());
    EXPECT_EQ(browser.record.toTsv(),
              QStringLiteral("Id\t3\r\nSampleNo\tS-3\r\nRock\tBasalt\r\nDepth\t\r\nHole\t7\r\n"));
    EXPECT_EQ(browser.panelText(), QStringLiteral("5 fields"));

    // A value with both kinds of quote finds its record.
    browse(QStringLiteral("Samples"), QStringLiteral("SampleNo"), QStringLiteral("Q\"5'"));
    ASSERT_TRUE(browser.MainNayteTieto());
    EXPECT_EQ(browser.record.text(4, 2), QStringLiteral("5.5"));

    for (const char* value : {"S-9", "x\" OR \"1\"=\"1"}) {
        browse(QStringLiteral("Samples"), QStringLiteral("SampleNo"), QString::fromUtf8(value));
        EXPECT_FALSE(browser.MainNayteTieto());
        EXPECT_EQ(browser.record.toTsv(), QStringLiteral("No data\r\n")) << value;
    }
    // A table or field outside the catalogue is not looked up.
    browse(QStringLiteral("Nowhere"), QStringLiteral("SampleNo"), QStringLiteral("S-1"));
    EXPECT_FALSE(browser.MainNayteTieto());
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(SampleBrowserTest, UpdateWritesTheEditedValuesOfOneRecord) {
    browse(QStringLiteral("Samples"), QStringLiteral("SampleNo"), QStringLiteral("S-1"));
    ASSERT_TRUE(browser.MainNayteTieto());
    browser.record.setText(3, 2, QStringLiteral("Diorite"));
    browser.record.setText(4, 2, QString());               // cleared: Null
    browser.record.setText(2, 2, QStringLiteral("S-100")); // the key field is never written
    ASSERT_TRUE(browser.updateDatabase());
    EXPECT_EQ(rows(QStringLiteral("SELECT SampleNo, Rock, Depth, Hole FROM Samples WHERE Id = 1")),
              (std::vector<QStringList>{{"S-1", "Diorite", "<null>", "7"}}));
    EXPECT_TRUE(
        status.texts().contains(QStringLiteral("Record SampleNo=S-1 in table Samples updated.")));
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(SampleBrowserTest, SeveralMatchesUpdateOnlyTheFirstAndOnlyOnNo) {
    const QString question = QStringLiteral(
        "Several (n=3) records fullfill the criteria \r\nSELECT * FROM [Samples] WHERE [Rock] "
        "LIKE \"Basalt\"\r\nCancel updating (No=updating the first of them?");
    const struct {
        Answer answer;
        const char* depths;
    } cases[] = {
        {Answer::Yes, "2.5,<null>,4.5"},
        {Answer::Cancel, "2.5,<null>,4.5"},
        {Answer::No, "9,<null>,4.5"},
    };
    for (const auto& c : cases) {
        browse(QStringLiteral("Samples"), QStringLiteral("Rock"), QStringLiteral("Basalt"));
        ASSERT_TRUE(browser.MainNayteTieto());
        browser.record.setText(4, 2, QStringLiteral("9"));
        dialogs.clearLog();
        dialogs.queueAnswer(c.answer);
        EXPECT_EQ(browser.updateDatabase(), c.answer == Answer::No);
        EXPECT_EQ(dialogs.texts(), QStringList{question});
        QStringList depths;
        for (const QStringList& r :
             rows(QStringLiteral("SELECT Depth FROM Samples WHERE Rock = 'Basalt' ORDER BY Id")))
            depths << r.front();
        EXPECT_EQ(depths.join(QLatin1Char(',')), QString::fromUtf8(c.depths));
    }
}

TEST_F(SampleBrowserTest, ATableWithoutKeyUpdatesTheRecordByAllItsValues) {
    browse(QStringLiteral("Notes"), QStringLiteral("Hole"), QStringLiteral("7"));
    ASSERT_TRUE(browser.MainNayteTieto());
    browser.record.setText(2, 2, QStringLiteral("b"));
    dialogs.queueAnswer(Answer::No);
    ASSERT_TRUE(browser.updateDatabase());
    // Two identical records cannot be told apart: both take the new note.
    EXPECT_EQ(rows(QStringLiteral("SELECT Note FROM Notes")),
              (std::vector<QStringList>{{"b"}, {"b"}}));
}

TEST_F(SampleBrowserTest, ADuplicateKeyIsReportedAndNothingChanges) {
    browse(QStringLiteral("Samples"), QStringLiteral("Id"), QStringLiteral("2"));
    ASSERT_TRUE(browser.MainNayteTieto());
    browser.record.setText(2, 2, QStringLiteral("S-1"));
    browser.record.setText(3, 2, QStringLiteral("Changed"));
    EXPECT_FALSE(browser.updateDatabase());
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral(" Duplicate index error ! (SampleNo) Change the data in "
                                         "the SampleNo -field or clear previous delta values "
                                         "from database.")});
    EXPECT_EQ(rows(QStringLiteral("SELECT SampleNo, Rock FROM Samples WHERE Id = 2")),
              (std::vector<QStringList>{{"S-2", "Basalt"}}));
}

TEST_F(SampleBrowserTest, DeleteAsksAndDeletesEveryMatchingRecord) {
    const struct {
        const char* value;
        Answer answer;
        const char* question;
        qsizetype left;
    } cases[] = {
        {"Nothing", Answer::Yes,
         "Are you sure to delete record fulfilling the criteria: \r\nSELECT * FROM [Samples] "
         "WHERE [Rock] LIKE \"Nothing\"",
         5},
        {"x\" OR \"1\"=\"1", Answer::Yes,
         "Are you sure to delete record fulfilling the criteria: \r\nSELECT * FROM [Samples] "
         "WHERE [Rock] LIKE \"x\"\" OR \"\"1\"\"=\"\"1\"",
         5},
        {"Basalt", Answer::No,
         "Several (n=3) records fullfill the criteria \r\nSELECT * FROM [Samples] WHERE [Rock] "
         "LIKE \"Basalt\"\r\nAre you sure to delete all of them?",
         5},
        {"Basalt", Answer::Yes,
         "Several (n=3) records fullfill the criteria \r\nSELECT * FROM [Samples] WHERE [Rock] "
         "LIKE \"Basalt\"\r\nAre you sure to delete all of them?",
         2},
        {"Granite", Answer::Yes,
         "Are you sure to delete record fulfilling the criteria: \r\nSELECT * FROM [Samples] "
         "WHERE [Rock] LIKE \"Granite\"",
         1},
    };
    for (const auto& c : cases) {
        browse(QStringLiteral("Samples"), QStringLiteral("Rock"), QString::fromUtf8(c.value));
        dialogs.clearLog();
        dialogs.queueAnswer(c.answer);
        browser.deleteRecord();
        EXPECT_EQ(dialogs.texts(), QStringList{QString::fromUtf8(c.question)});
        EXPECT_EQ(qsizetype(rows(QStringLiteral("SELECT Id FROM Samples")).size()), c.left)
            << c.value;
    }
}

} // namespace
