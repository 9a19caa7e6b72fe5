#include "db/SessionDatabase.h"
#include "grid/GridPaste.h"
#include "grid/GridQueryEditor.h"
#include "grid/GridSearch.h"
#include "grid/OpenViews.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/SqliteSession.h"

#include <gtest/gtest.h>

namespace {

class GridEditTest : public SqliteSession {
protected:
    void SetUp() override {
        const QString path = dir.filePath(QStringLiteral("x.sqlite"));
        {
            auto db = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
            for (const char* sql :
                 {"CREATE TABLE [Samples] ([SampleNo] TEXT PRIMARY KEY, [Rock] TEXT, [Au] DOUBLE)",
                  "INSERT INTO [Samples] VALUES ('S1', 'granite', 1.5)",
                  "INSERT INTO [Samples] VALUES ('S2', 'Granodiorite', 2)",
                  "INSERT INTO [Samples] VALUES ('S3', 'Basalt', 1.5)",
                  "CREATE VIEW [Rocks] AS SELECT [Rock] FROM [Samples]",
                  "CREATE TABLE [Notes] ([Id] TEXT PRIMARY KEY, [Note] TEXT)",
                  "INSERT INTO [Notes] VALUES ('N1', 'granite vein')"})
                ASSERT_TRUE(db.connection->execute(QString::fromUtf8(sql))) << sql;
        }
        session.SessionDatabasePath = path;
        ASSERT_TRUE(session.OpenSessionDatabase({true, false, false}));
        ASSERT_TRUE(grid.open(QStringLiteral("SELECT * FROM [Samples] ORDER BY [SampleNo]"),
                              QStringLiteral("Table/Samples")));
    }

    QStringList column(const char* sql) {
        QStringList out;
        const auto rows = session.connection()->query(QString::fromUtf8(sql));
        for (qsizetype r = 0; rows && r < rows->rowCount(); ++r)
            out << rows->at(r, 0).toText();
        return out;
    }

    OpenViews views;
    GridController grid{session, dialogs, status, views};
};

TEST_F(GridEditTest, SearchesDownOrRoundTheColumnTheGridOrEveryGrid) {
    GridController notes{session, dialogs, status, views};
    ASSERT_TRUE(notes.open(QStringLiteral("SELECT * FROM [Notes]"), QStringLiteral("Table/Notes")));
    GridSearch search({{&grid, {0, 1, 2}}, {&notes, {0, 1}}}, dialogs);
    using P = GridSearch::Place;
    using S = GridSearch::Scope;
    using D = GridSearch::Direction;
    const struct {
        const char* text;
        S scope;
        D direction;
        bool wholeWord;
        P from;
        std::optional<P> found;
    } cases[] = {
        {"gran", S::ActiveGrid, D::Down, false, P{0, {0, 1}}, P{0, {1, 1}}},
        {"gran", S::ActiveGrid, D::Down, false, P{0, {1, 1}}, std::nullopt},
        {"gran", S::ActiveGrid, D::All, false, P{0, {1, 1}}, P{0, {0, 1}}},
        {"gran", S::AllGrids, D::Down, false, P{0, {1, 1}}, P{1, {0, 1}}},
        {"gran", S::AllGrids, D::Down, false, P{1, {0, 1}}, std::nullopt},
        {"gran", S::AllGrids, D::All, false, P{1, {0, 1}}, P{0, {0, 1}}},
        {"granite", S::AllGrids, D::Down, true, P{0, {0, 1}}, std::nullopt},
        {"gran", S::CurrentColumn, D::All, false, P{0, {0, 0}}, std::nullopt},
        {"1.50", S::CurrentColumn, D::Down, true, P{0, {0, 2}}, P{0, {2, 2}}},
    };
    for (const auto& c : cases) {
        dialogs.clearLog();
        const GridSearch::Request r{
            QString::fromUtf8(c.text), {}, c.scope, c.wholeWord, false, c.direction};
        EXPECT_EQ(search.findNext(r, c.from), c.found) << c.text << " from " << c.from.grid;
        EXPECT_EQ(dialogs.texts(), c.found ? QStringList() : QStringList{"No matching records"});
    }
    EXPECT_EQ(search.findFirst({QStringLiteral("b"), {}}), (P{0, {2, 1}}));
    EXPECT_EQ(GridSearch::title(S::AllGrids, QStringLiteral("Rock"), grid.name()),
              QStringLiteral("Find in All Grids Samples"));

    // Case matters only when asked; only the matched start is replaced, in every grid.
    dialogs.clearLog();
    EXPECT_EQ(search.replaceAll({QStringLiteral("gran"), QStringLiteral("Gran"), S::AllGrids, false,
                                 true, D::All},
                                P{0, {1, 1}}),
              2);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("2 replacements done.")});
    EXPECT_EQ(column("SELECT [Rock] FROM [Samples] ORDER BY [SampleNo]"),
              (QStringList{"Granite", "Granodiorite", "Basalt"}));
    EXPECT_EQ(column("SELECT [Note] FROM [Notes]"), QStringList{"Granite vein"});
    // Downwards from the second record leaves the first as it is.
    EXPECT_EQ(search.replaceAll({QStringLiteral("1.5"), QStringLiteral("1.75"), S::CurrentColumn,
                                 true, false, D::Down},
                                P{0, {1, 2}}),
              1);
    EXPECT_EQ(column("SELECT [Au] FROM [Samples] ORDER BY [SampleNo]"),
              (QStringList{"1.5", "2", "1.75"}));

    // "&Replace" changes the record it stands on when it matches, then finds the next.
    const GridSearch::Request granite{QStringLiteral("Gran"), QStringLiteral("Syen"),
                                      S::ActiveGrid};
    EXPECT_EQ(search.replace(granite, P{0, {0, 1}}), (P{0, {1, 1}}));
    EXPECT_EQ(column("SELECT [Rock] FROM [Samples] ORDER BY [SampleNo]"),
              (QStringList{"Syenite", "Granodiorite", "Basalt"}));
    // A view's rows cannot be written: said so, nothing changed.
    GridController rocks{session, dialogs, status, views};
    ASSERT_TRUE(rocks.open(QStringLiteral("SELECT * FROM [Rocks]"), QStringLiteral("Query/Rocks")));
    dialogs.clearLog();
    EXPECT_EQ(GridSearch({{&rocks, {0}}}, dialogs)
                  .replaceAll({QStringLiteral("Basalt"), QStringLiteral("x")}, P{}),
              -1);
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QStringLiteral("The records of this grid cannot")));
}

TEST_F(GridEditTest, FieldPropertiesDescribeTheColumnAndTheValue) {
    EXPECT_EQ(
        grid.fieldProperties(1, 1),
        QStringLiteral("Field name: Rock\r\nType: 202 (VARCHAR(255))\r\nAttributes: nullable\r\n"
                       "DefinedSize: 255\r\nNumericScale: \r\nOriginalValue: Granodiorite\r\n"
                       "Precision: \r\nUnderlyingValue: Granodiorite\r\nValue: Granodiorite"));
    EXPECT_TRUE(grid.fieldProperties(0, 9).isEmpty());
}

TEST_F(GridEditTest, AddsARecordByItsKeyAndRefusesADuplicate) {
    dialogs.clearLog();
    dialogs.queueCancel();
    EXPECT_FALSE(grid.addRecord());
    dialogs.queueText(QStringLiteral("S9"));
    ASSERT_TRUE(grid.addRecord()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(grid.model()->rowCount(), 4);
    EXPECT_EQ(column("SELECT [SampleNo] FROM [Samples] WHERE [Rock] Is Null"), QStringList{"S9"});
    dialogs.queueText(QStringLiteral("S9"));
    EXPECT_FALSE(grid.addRecord());
    EXPECT_TRUE(dialogs.texts().back().startsWith(QStringLiteral("Row not added: ")));
    EXPECT_EQ(grid.model()->rowCount(), 4);
}

TEST_F(GridEditTest, TablePropertiesListFieldsKeyAndIndexes) {
    const QStringList lines = grid.tableProperties().split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"Table name: Samples", "Kind: table", "Records: 3"}));
    EXPECT_TRUE(lines.contains(QStringLiteral("  Rock: VARCHAR(255)")))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Primary key: SampleNo")))
        << lines.join('\n').toStdString();
}

TEST_F(GridEditTest, AnEditedQueryReplacesTheStoredOneOnlyWhenItRuns) {
    GridQueryEditor editor(*session.connection(), dialogs);
    EXPECT_EQ(GridQueryEditor::queryName(QStringLiteral("Query/[Rocks]")), QStringLiteral("Rocks"));
    ASSERT_TRUE(editor.definition(QStringLiteral("Rocks")));
    EXPECT_EQ(*editor.definition(QStringLiteral("Rocks")),
              QStringLiteral("SELECT [Rock] FROM [Samples]"));

    EXPECT_FALSE(
        editor.store(QStringLiteral("Rocks"), QStringLiteral("SELECT [Rock] FROM [Samples]")));
    EXPECT_FALSE(editor.store(QStringLiteral("Rocks"), QStringLiteral("  ")));
    EXPECT_TRUE(dialogs.texts().isEmpty());

    EXPECT_FALSE(
        editor.store(QStringLiteral("Rocks"), QStringLiteral("SELECT [Nope] FROM [Samples]")));
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QStringLiteral("Query Rocks is kept as it was:")));
    EXPECT_EQ(column("SELECT COUNT(*) FROM [Rocks]"), QStringList{"3"});
    EXPECT_FALSE(editor.definition(QStringLiteral("ZOLTMP")));

    ASSERT_TRUE(editor.store(QStringLiteral("Rocks"),
                             QStringLiteral("SELECT [Rock] FROM [Samples] WHERE [Au] > 1.6")));
    EXPECT_EQ(column("SELECT COUNT(*) FROM [Rocks]"), QStringList{"1"});
    EXPECT_FALSE(editor.definition(QStringLiteral("ZOLTMP")));
}

TEST_F(GridEditTest, PastedRowsAreAddedByTheirHeadingsOrInTableOrder) {
    const GridTarget target = grid.target();
    GridPaste paste(target, session.catalogue(), dialogs, status);
    EXPECT_EQ(paste.append(
                  QStringLiteral("sampleno\tRock\tColour\r\nS4\tDiorite\tgrey\r\nS5\t\tred\r\n")),
              2);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral(
                                   "2 rows added. Field was not found for following 1 columns: "
                                   "Column 3=Colour")});
    EXPECT_EQ(column("SELECT [Rock] FROM [Samples] WHERE [SampleNo] IN ('S4', 'S5') ORDER BY 1"),
              (QStringList{"", "Diorite"}));
    EXPECT_EQ(column("SELECT COUNT(*) FROM [Samples] WHERE [Rock] IS NULL"), QStringList{"1"});

    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_EQ(paste.append(QStringLiteral("S6\tGabbro\t3\r\n")), 1);
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("1 rows added. All columns inputted"));
    EXPECT_EQ(column("SELECT [Au] FROM [Samples] WHERE [SampleNo] = 'S6'"), QStringList{"3"});

    dialogs.clearLog();
    dialogs.queueAnswer(Answer::No);
    EXPECT_EQ(paste.append(QStringLiteral("S7\tGabbro\t3\r\n")), -1);
    EXPECT_EQ(
        dialogs.texts().back(),
        QStringLiteral("Headers missing or can not be identified, Paste operation cancelled"));

    // A row the table refuses adds none of them.
    dialogs.clearLog();
    EXPECT_EQ(paste.append(QStringLiteral("SampleNo\tAu\r\nS8\t1\r\nS1\t2\r\n")), -1);
    EXPECT_TRUE(dialogs.texts().back().startsWith(QStringLiteral("Nothing was added: row 3")));
    EXPECT_EQ(column("SELECT COUNT(*) FROM [Samples] WHERE [SampleNo] = 'S8'"), QStringList{"0"});

    dialogs.clearLog();
    EXPECT_EQ(paste.merge(QStringLiteral("SampleNo\tAu\tNote\r\nS1\t9\tx\r\nS9\t4\ty\r\n")), 2);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral(
                                   "Data in 1 rows merged. 1 records added.\r\nFollowing columns "
                                   "were not found:\r\nColumn 3=Note")});
    EXPECT_EQ(
        column("SELECT [Au] FROM [Samples] WHERE [SampleNo] IN ('S1', 'S9') ORDER BY [SampleNo]"),
        (QStringList{"9", "4"}));
    EXPECT_EQ(column("SELECT [Rock] FROM [Samples] WHERE [SampleNo] = 'S1'"),
              QStringList{"granite"});

    dialogs.clearLog();
    dialogs.queueText(QStringLiteral("Nope"));
    EXPECT_EQ(paste.merge(QStringLiteral("Rock\tAu\r\nx\t1\r\n")), -1);
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("ID column not found!"));
}

} // namespace
