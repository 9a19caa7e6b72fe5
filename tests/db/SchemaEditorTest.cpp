// Schema edits run on every engine: the Jet statements go through each driver's translation.
#include "db/SchemaEditor.h"
#include "db/SchemaMapper.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/PgScratchSchema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(SchemaEditor, TranslatesTypeCodesAndStripsOneBracketPair) {
    const struct {
        const char* type;
        const char* sql;
    } types[] = {
        {"4", "SINGLE"},       {"17", "BOOLEAN"},     {"5", "DOUBLE"},
        {"3", "LONG"},         {"130", "TEXT (50)"},  {"202", "TEXT (250)"},
        {"203", "MEMO"},       {"205", "TEXT (255)"}, {"7", "DATE"},
        {"999", "TEXT (255)"}, {"DOUBLE", "DOUBLE"},  {"TEXT (12)", "TEXT (12)"},
    };
    for (const auto& t : types)
        EXPECT_EQ(SchemaEditor::sqlType(QString::fromUtf8(t.type)), QString::fromUtf8(t.sql));
    EXPECT_EQ(SchemaEditor::withoutBrackets(QStringLiteral("[Rock Samples]")),
              QStringLiteral("Rock Samples"));
    EXPECT_EQ(SchemaEditor::withoutBrackets(QStringLiteral("[[x]]")), QStringLiteral("[x]"));
    EXPECT_EQ(SchemaEditor::withoutBrackets(QStringLiteral("Samples")), QStringLiteral("Samples"));
}

// The declared type of a column as the engine reports it, upper-cased.
QString declaredType(Connection& db, const QString& table, const QString& column) {
    const auto columns = db.columns();
    if (columns)
        for (const ColumnDescription& c : *columns)
            if (c.table == table && c.name == column)
                return c.declaredType.toUpper();
    return {};
}

bool hasIndex(Connection& db, const QString& table, const QString& column, bool unique) {
    const auto indexes = db.indexes();
    if (indexes)
        for (const IndexDescription& i : *indexes)
            if (i.table == table && i.columns == QStringList{column} && i.unique == unique)
                return true;
    return false;
}

void exerciseSchemaEdits(Connection& db) {
    ScriptedDialogs dialogs;
    SchemaCatalogue catalogue;
    SchemaEditor editor(db, catalogue, dialogs);

    ASSERT_TRUE(editor.CreateTable(QStringLiteral("[Rock Samples]")))
        << editor.lastError().toStdString();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral(
                                   "Table Rock Samples created. Define at least one field.")});
    EXPECT_EQ(catalogue.tableNames(), QStringList{QStringLiteral("Rock Samples")});

    const QString table = QStringLiteral("Rock Samples");
    ASSERT_TRUE(editor.AddField(QStringLiteral("[Rock Samples]"), QStringLiteral("Sample No"),
                                QStringLiteral("130"), {true, true, true, false, true}))
        << editor.lastError().toStdString();
    ASSERT_TRUE(editor.AddTextField(table, QStringLiteral("Rock"), 0));
    ASSERT_TRUE(editor.AddSingleField(table, QStringLiteral("SiO2")));
    ASSERT_TRUE(editor.AddField(table, QStringLiteral("Depth"), QStringLiteral("999"),
                                {true, false, true, false, true}));
    EXPECT_EQ(catalogue.fieldNames(table), (QStringList{"Sample No", "Rock", "SiO2", "Depth"}));

    // The new table reads as declared: '00123' stays a text, the key refuses a duplicate.
    ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO [Rock Samples] ([Sample No], [Rock], "
                                          "[SiO2]) VALUES ('00123', 'Granite', 71.5)")));
    EXPECT_FALSE(
        db.execute(QStringLiteral("INSERT INTO [Rock Samples] ([Sample No]) VALUES ('00123')")));
    const auto rows = db.query(QStringLiteral("SELECT [Sample No], [Rock] FROM [Rock Samples]"));
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->at(0, 0), CellValue::text(QStringLiteral("00123")));
    EXPECT_TRUE(hasIndex(db, table, QStringLiteral("Depth"), false));
    EXPECT_FALSE(declaredType(db, table, QStringLiteral("Rock")).isEmpty());

    // Index names are per table, so a second table may index a field of the same name.
    ASSERT_TRUE(db.execute(QStringLiteral("CREATE TABLE [Other] ([X] DOUBLE)")));
    catalogue.addTable(QStringLiteral("Other"));
    EXPECT_TRUE(editor.AddField(QStringLiteral("Other"), QStringLiteral("Depth"),
                                QStringLiteral("DOUBLE"), {true, false, false, false, true}))
        << editor.lastError().toStdString();

    // A field whose index cannot be made is not left behind half-made.
    ASSERT_TRUE(db.execute(QStringLiteral("CREATE INDEX [ix_Other_Y] ON [Other] ([X])")));
    EXPECT_FALSE(editor.AddField(QStringLiteral("Other"), QStringLiteral("Y"),
                                 QStringLiteral("DOUBLE"), {true, false, false, false, true}));
    EXPECT_FALSE(editor.lastError().isEmpty());
    EXPECT_TRUE(declaredType(db, QStringLiteral("Other"), QStringLiteral("Y")).isEmpty());
    EXPECT_FALSE(catalogue.fieldNames(QStringLiteral("Other")).contains(QStringLiteral("Y")));

    // Confirmations: only Yes changes anything.
    dialogs.clearLog();
    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(editor.AddField(table, QStringLiteral("Au"), QStringLiteral("DOUBLE"),
                                 {true, false, false, true, true}));
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral(
                  "You are creating field [Au] in table [Rock Samples] using command \r\n\r\n"
                  "ALTER TABLE [Rock Samples] ADD COLUMN [Au] DOUBLE\r\nCREATE INDEX "
                  "[ix_Rock Samples_Au] ON [Rock Samples] ([Au])\r\n\r\nAre you sure?")});
    EXPECT_TRUE(declaredType(db, table, QStringLiteral("Au")).isEmpty());

    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Cancel);
    EXPECT_FALSE(editor.DeleteField(QStringLiteral("[SiO2]"), table));
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_TRUE(editor.DeleteField(QStringLiteral("[SiO2]"), table))
        << editor.lastError().toStdString();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{"Are you sure to delete field [SiO2] in table [Rock Samples] ?",
                           "Are you sure to delete field [SiO2] in table [Rock Samples] ?"}));
    EXPECT_TRUE(declaredType(db, table, QStringLiteral("SiO2")).isEmpty());
    EXPECT_EQ(catalogue.fieldNames(table), (QStringList{"Sample No", "Rock", "Depth"}));

    // A table's filters are named in the question and go with it.
    ASSERT_TRUE(db.execute(QStringLiteral(
        "CREATE VIEW [f_Granite] AS SELECT * FROM [Rock Samples] WHERE [Rock] = 'Granite'")));
    ASSERT_TRUE(db.execute(QStringLiteral("CREATE VIEW [f_Others] AS SELECT * FROM [Other]")));
    catalogue.filters = QStringList{"Granite", "Others"};
    EXPECT_EQ(editor.dependentFilters(table), QStringList{QStringLiteral("f_Granite")});
    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(editor.DeleteTableOrView(QStringLiteral("[Rock Samples]"), false))
        << editor.lastError().toStdString();
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Are you sure to delete table [Rock Samples] ?\r\n\r\n"
                                         "These filters are based on it and are deleted with "
                                         "it:\r\n\tf_Granite")});
    EXPECT_EQ(catalogue.filters, QStringList{QStringLiteral("Others")});
    EXPECT_EQ(catalogue.tableNames(), QStringList{QStringLiteral("Other")});
    EXPECT_FALSE(db.query(QStringLiteral("SELECT * FROM [f_Granite]")));

    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(editor.DeleteTableOrView(QStringLiteral("f_Others"), true));
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Are you sure to delete view [f_Others] ?")});
    EXPECT_TRUE(catalogue.filters.isEmpty());
    EXPECT_TRUE(db.query(QStringLiteral("SELECT * FROM [Other]")));
}

TEST(SchemaEditor, EditsASqliteDatabase) {
    QTemporaryDir dir;
    auto opened = SqliteConnection::open(dir.filePath(QStringLiteral("x.sqlite")),
                                         SqliteConnection::Mode::ReadWriteCreate);
    ASSERT_TRUE(opened.ok());
    exerciseSchemaEdits(*opened.connection);
}

TEST(SchemaEditor, EditsAPostgreSqlDatabase) {
    if (PgScratchSchema::conninfo().isEmpty())
        GTEST_SKIP() << PgScratchSchema::skipReason;
    const PgScratchSchema schema(QStringLiteral("quv_edit"));
    ASSERT_TRUE(schema.ok()) << schema.error().toStdString();
    auto opened = schema.open();
    ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
    exerciseSchemaEdits(*opened.connection);
}

} // namespace
