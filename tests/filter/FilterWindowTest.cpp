// The filter window on SQLite and on the live PostgreSQL server: what the person sees and what
// the session database holds afterwards.
#include "filter/FilterWindow.h"
#include "FilterSession.h"
#include "filter/ClipDataFilters.h"
#include "filter/FilterViews.h"
#include "filter/QueryWindow.h"
#include "query/FilterBaseResolver.h"
#include "query/SqlClauseSplitter.h"

namespace {

class FilterWindowTest : public FilterSession {
protected:
    std::unique_ptr<FilterWindow> window;

    void SetUp() override {
        FilterSession::SetUp();
        if (!IsSkipped() && !HasFatalFailure())
            window = std::make_unique<FilterWindow>(*session, dialogs, status);
    }

    bool make(const char* table, const char* field, const char* op, const char* value,
              const char* name, const char* prefix = "") {
        window->table = QString::fromUtf8(table);
        window->field = QString::fromUtf8(field);
        window->setOperator(QString::fromUtf8(op));
        window->value = QString::fromUtf8(value);
        window->name = QString::fromUtf8(name);
        window->prefix = QString::fromUtf8(prefix);
        return window->makeFilter();
    }

    std::optional<QString> definition(const char* view) {
        return FilterViews(db()).queryDefinition(QString::fromUtf8(view));
    }
};

TEST_P(FilterWindowTest, StoresFiltersWithTheirCountAndJetText) {
    ASSERT_TRUE(make("Rocks", "Au", ">", "2", "RichAu"))
        << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(window->countText(), QStringLiteral("Number of samples passed filtering: 5"));
    EXPECT_EQ(window->sqlText(), QStringLiteral("CREATE VIEW [f_RichAu] AS SELECT * FROM [Rocks] "
                                                "WHERE ([Rocks].[Au] > 2)"));
    EXPECT_TRUE(window->filters().contains(QStringLiteral("RichAu")));
    // Both engines give back the text as written, so the clause splitter sees one text.
    EXPECT_EQ(definition("f_RichAu"),
              QStringLiteral("SELECT * FROM [Rocks] WHERE ([Rocks].[Au] > 2)"));
    const StoredQueryParts parts =
        SqlClauseSplitter::splitStoredQuery(QStringLiteral("f_RichAu"), FilterViews(db()));
    EXPECT_EQ(parts.fromPart, QStringLiteral("[Rocks]"));
    EXPECT_EQ(parts.wherePart, QStringLiteral("([Rocks].[Au] > 2)"));
    EXPECT_EQ(FilterBaseResolver(db(), session->catalogue())
                  .GetFilterBase(QStringLiteral("f_RichAu"))
                  .keyColumn,
              QStringLiteral("SampleID"));

    // A grouped name, a quote in the value, and a value that tries to end its literal.
    ASSERT_TRUE(make("Rocks", "Owner", "=", "O'Brien", "Owner", "People"));
    EXPECT_EQ(rows("SELECT [SampleID] FROM [f_People_Owner]"), QStringList{"S1"});
    ASSERT_TRUE(make("Rocks", "Owner", "=", "x') OR ('a'='a", "Sneaky"));
    EXPECT_EQ(window->countText(), QStringLiteral("Number of samples passed filtering: 0"));
    ASSERT_TRUE(make("Rocks", "Owner", "Like ___%", "Au", "AuOwners"));
    EXPECT_EQ(rows("SELECT [SampleID] FROM [f_AuOwners]"), (QStringList{"S5", "S6"}));
    ASSERT_TRUE(make("Rocks", "Rock", "=", "Fine*", "Fine"));
    EXPECT_EQ(rows("SELECT [SampleID] FROM [f_Fine]"), (QStringList{"S5", "S8"}));
    ASSERT_TRUE(make("Rocks", "Rock", "IN", "Basalt, A_1", "Listed"));
    EXPECT_EQ(rows("SELECT [SampleID] FROM [f_Listed]"), (QStringList{"S2", "S6"}));
    ASSERT_TRUE(make("Rocks", "Rock", "Is Null", "", "NoRock"));
    EXPECT_EQ(rows("SELECT [SampleID] FROM [f_NoRock]"), QStringList{"S4"});
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('\n').toStdString();
}

TEST_P(FilterWindowTest, RefusesMissingInputsAndUnsafeNames) {
    EXPECT_FALSE(make("Rocks", "Au", ">", "2", ""));
    EXPECT_FALSE(make("Rocks", "Au", "", "2", "X"));
    for (const char* bad : {"a[b", "a]b", "a\"b", "a.b", "a!b"})
        EXPECT_FALSE(make("Rocks", "Au", ">", "2", bad));
    EXPECT_FALSE(make("Rocks", "Au", ">", "2", "ok", "grp.1"));
    const QStringList texts = dialogs.texts();
    ASSERT_EQ(texts.size(), 8);
    EXPECT_EQ(texts[0], QStringLiteral(" You have to select filtername"));
    EXPECT_EQ(texts[1], QStringLiteral(" You have to select operator"));
    EXPECT_TRUE(texts[2].startsWith(QStringLiteral("A filter name can not contain")));
    EXPECT_TRUE(window->filters().isEmpty());

    // A filter name that already exists is the database's to refuse; the old view stays.
    ASSERT_TRUE(make("Rocks", "Au", ">", "2", "Au"));
    dialogs.clearLog();
    EXPECT_FALSE(make("Rocks", "Au", "<", "2", "Au"));
    ASSERT_EQ(dialogs.log().size(), 1u);
    EXPECT_EQ(dialogs.log()[0].kind, MessageKind::Critical);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QStringLiteral("Filter NOT made: f_Au\r\n")));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [f_Au]"), QStringList{"5"});
}

TEST_P(FilterWindowTest, MakesAutoFiltersWithEqualityAndNamesNullAndCollisions) {
    window->table = QStringLiteral("Rocks");
    window->field = QStringLiteral("Rock");
    window->prefix = QStringLiteral("Rock");
    EXPECT_FALSE(window->makeAutoFilters()); // the safe answer is Cancel
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral(
                                   "Are you sure to make autofilters from field [Rocks].[Rock] "
                                   "with prefix Rock?")});
    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(window->makeAutoFilters());
    // Fine-grained and "Fine grained" share a name: one of them is skipped.
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("6 filters done."));
    QStringList filters = window->filters();
    filters.sort();
    EXPECT_EQ(filters, (QStringList{"Rock_AB1", "Rock_A_1", "Rock_Basalt", "Rock_Fine_grained",
                                    "Rock_Granite", "Rock_Null"}));
    EXPECT_EQ(rows("SELECT [SampleID] FROM [f_Rock_Granite]"), (QStringList{"S1", "S3"}));
    EXPECT_EQ(rows("SELECT [SampleID] FROM [f_Rock_Null]"), QStringList{"S4"});
    // "=" with a literal: the "_" of A_1 is no wild card.
    EXPECT_EQ(rows("SELECT [SampleID] FROM [f_Rock_A_1]"), QStringList{"S6"});
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [f_Rock_Fine_grained]"), QStringList{"1"});
    EXPECT_EQ(definition("f_Rock_Null"),
              QStringLiteral("SELECT * FROM [Rocks] WHERE (([Rocks].[Rock] Is Null))"));

    // On a number field the literal is a number, which PostgreSQL compares without complaint.
    window->field = QStringLiteral("Au");
    window->prefix = QStringLiteral("Au");
    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(window->makeAutoFilters());
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("8 filters done."));
    EXPECT_EQ(rows("SELECT [SampleID] FROM [f_Au_0_5]"), QStringList{"S2"});
    EXPECT_EQ(definition("f_Au_0_5"),
              QStringLiteral("SELECT * FROM [Rocks] WHERE (([Rocks].[Au] = 0.5))"));

    // Made again, every name is taken: nothing is replaced.
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_FALSE(window->makeAutoFilters());
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("0 filters done."));
}

TEST_P(FilterWindowTest, FailedEditAndRenameKeepTheOldFilter) {
    ASSERT_TRUE(make("Rocks", "Au", ">", "2", "Rich"));
    ASSERT_TRUE(make("Rocks", "Au", "<", "1", "Poor"));
    window->selected = {QStringLiteral("Rich")};
    ASSERT_TRUE(window->edit());
    EXPECT_EQ(window->hint(), FilterWindow::editHint());
    EXPECT_EQ(window->sqlText(), QStringLiteral("SELECT * FROM [Rocks] WHERE ([Rocks].[Au] > 2)"));

    // A SELECT over a missing table (which SQLite would store as a view) and one that does not
    // parse: both refused, the filter keeps its definition and rows.
    dialogs.clearLog();
    for (const char* broken : {"SELECT * FROM [Missing] WHERE ([Missing].[Au] > 9)",
                               "SELECT * FROM [Rocks] WHERE ([Rocks].[Au] >"}) {
        window->setSqlText(QString::fromUtf8(broken));
        EXPECT_FALSE(window->saveSql()) << broken;
    }
    ASSERT_EQ(dialogs.texts().size(), 2);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QStringLiteral("Filter NOT changed: f_Rich")));
    EXPECT_EQ(definition("f_Rich"),
              QStringLiteral("SELECT * FROM [Rocks] WHERE ([Rocks].[Au] > 2)"));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [f_Rich]"), QStringList{"5"});
    EXPECT_EQ(window->editedFilter(), QStringLiteral("Rich"));

    // Cancelling an edit brings back the text before it.
    window->setSqlText(QStringLiteral("SELECT 1"));
    window->selected = {QStringLiteral("Poor")};
    ASSERT_TRUE(window->edit());
    window->cancelEdit();
    EXPECT_EQ(window->sqlText(), QStringLiteral("SELECT 1"));
    EXPECT_TRUE(window->editedFilter().isEmpty());
    EXPECT_TRUE(window->hint().isEmpty());
    window->selected = {QStringLiteral("Rich")};
    ASSERT_TRUE(window->edit());

    // A working edit replaces it and shows the Info text.
    dialogs.clearLog();
    window->setSqlText(QStringLiteral("SELECT * FROM [Rocks] WHERE ([Rocks].[Au] > 8)"));
    ASSERT_TRUE(window->saveSql());
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("FILTER Rich (2)\r\nSQL:\r\nSELECT * FROM [Rocks] WHERE "
                                         "([Rocks].[Au] > 8)\r\nRecords in filter: 2")});
    EXPECT_TRUE(window->editedFilter().isEmpty());

    // Renaming onto an existing filter fails; both stay as they were.
    dialogs.clearLog();
    dialogs.queueText(QStringLiteral("Poor"));
    EXPECT_FALSE(window->rename());
    EXPECT_EQ(dialogs.log()[0].text, QStringLiteral("Give new name for the filter Rich?"));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [f_Rich]"), QStringList{"2"});
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [f_Poor]"), QStringList{"1"});
    dialogs.queueText(QStringLiteral("Bad.Name"));
    EXPECT_FALSE(window->rename());
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [f_Rich]"), QStringList{"2"});

    dialogs.clearLog();
    dialogs.queueText(QStringLiteral("Richest"));
    ASSERT_TRUE(window->rename());
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Name changed"));
    EXPECT_FALSE(window->filters().contains(QStringLiteral("Rich")));
    EXPECT_EQ(definition("f_Richest"),
              QStringLiteral("SELECT * FROM [Rocks] WHERE ([Rocks].[Au] > 8)"));
    EXPECT_EQ(window->selected, QStringList{"Richest"});
}

TEST_P(FilterWindowTest, ListsInfoDeletesAndRunsSql) {
    ASSERT_TRUE(make("Rocks", "Au", ">", "2", "Rich"));
    ASSERT_TRUE(make("Rocks", "Au", "<", "1", "Poor"));
    ASSERT_TRUE(make("Rocks", "Rock", "=", "Granite", "Granite"));
    window->selected = {QStringLiteral("Poor")};
    ASSERT_TRUE(window->info());
    EXPECT_EQ(dialogs.texts().last(),
              QStringLiteral("FILTER Poor (1)\r\nSQL:\r\nSELECT * FROM [Rocks] WHERE ([Rocks].[Au] "
                             "< 1)\r\nRecords in filter: 1"));

    window->selected = {QStringLiteral("Rich"), QStringLiteral("Poor")};
    EXPECT_FALSE(window->deleteSelected());
    EXPECT_EQ(dialogs.texts().last(),
              QStringLiteral("Are you sure to delete selected filters (n=2)?"));
    EXPECT_EQ(window->filters().size(), 3);
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(window->deleteSelected());
    EXPECT_EQ(window->filters(), QStringList{"Granite"});
    window->selected = {QStringLiteral("Granite")};
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(window->deleteSelected());
    EXPECT_EQ(dialogs.log()[dialogs.log().size() - 1].text,
              QStringLiteral("Are you sure to delete filter Granite?"));
    EXPECT_TRUE(window->filters().isEmpty());

    dialogs.clearLog();
    window->clearSql();
    EXPECT_FALSE(window->runSql());
    EXPECT_EQ(dialogs.texts(), QStringList{"SQL window is empty"});

    // Add clause builds the statement, Run SQL stores it, Undo goes one step back.
    window->table = QStringLiteral("Rocks");
    window->field = QStringLiteral("Au");
    window->setOperator(QStringLiteral(">"));
    window->value = QStringLiteral("2");
    ASSERT_TRUE(window->addClause());
    window->table = QStringLiteral("Assays");
    window->field = QStringLiteral("Element");
    window->setOperator(QStringLiteral("="));
    window->value = QStringLiteral("Au");
    ASSERT_TRUE(window->addClause());
    EXPECT_EQ(window->sqlText(),
              QStringLiteral("SELECT [Rocks].* FROM [Rocks] , [Assays] WHERE ([Rocks].[Au] > 2 And "
                             "[Assays].[Element] = 'Au') AND "
                             "([Rocks].[SampleID]=[Assays].[SampleID])"));
    dialogs.queueText(QStringLiteral("AuAssayed"));
    ASSERT_TRUE(window->runSql()) << dialogs.texts().join('\n').toStdString();
    // S1 has two Au assays.
    EXPECT_EQ(rows("SELECT [SampleID] FROM [f_AuAssayed]"), (QStringList{"S1", "S1"}));
    window->undoSql();
    EXPECT_EQ(window->sqlText(),
              QStringLiteral("SELECT [Rocks].* FROM [Rocks] WHERE [Rocks].[Au] > 2"));

    // With the SQL tab active the SQL window is the definition.
    window->sqlTabActive = true;
    window->name = QStringLiteral("FromSql");
    window->prefix.clear();
    ASSERT_TRUE(window->makeFilter());
    EXPECT_EQ(window->countText(), QStringLiteral("Number of samples passed filtering: 5"));
    EXPECT_EQ(definition("f_FromSql"),
              QStringLiteral("SELECT [Rocks].* FROM [Rocks] WHERE [Rocks].[Au] > 2"));

    // A view named "f_" alone is listed with an empty name.
    ASSERT_TRUE(
        FilterViews(db()).create(QStringLiteral("f_"), QStringLiteral("SELECT * FROM [Holes]")));
    window->selected = {QStringLiteral("FromSql")};
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(window->deleteSelected());
    QStringList listed = window->filters();
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QString(), QStringLiteral("AuAssayed")}));
}

TEST_P(FilterWindowTest, SniffsEntriesOrRange) {
    window->table = QStringLiteral("Rocks");
    window->field = QStringLiteral("Owner");
    ASSERT_TRUE(window->sniffField());
    EXPECT_TRUE(dialogs.texts().last().startsWith(
        QStringLiteral("Following unique entries can be found in [Rocks].[Owner]\r\n")));
    EXPECT_TRUE(dialogs.texts().last().contains(QStringLiteral("O'Brien")));
    window->field = QStringLiteral("Au");
    ASSERT_TRUE(window->sniffField());
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Values between 0.5 and 12"));
}

TEST_P(FilterWindowTest, QueryWindowAddsConditionsAndStoresQViews) {
    QueryWindow query(*session, dialogs);
    EXPECT_FALSE(query.addCondition());
    EXPECT_EQ(dialogs.texts(), QStringList{"SQL clause window is empty"});
    query.sql = QStringLiteral("SELECT * FROM [Rocks] ORDER BY [Rocks].[Au]");
    EXPECT_FALSE(query.addCondition()); // no field yet
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral(" You have to select field and operator"));
    query.field = QStringLiteral("Owner");
    query.op = QStringLiteral("=");
    query.condition = QStringLiteral("Smith");
    ASSERT_TRUE(query.addCondition());
    query.field = QStringLiteral("Au");
    query.op = QStringLiteral(">");
    query.condition = QStringLiteral("0.5");
    ASSERT_TRUE(query.addCondition());
    EXPECT_EQ(query.sql, QStringLiteral("SELECT * FROM [Rocks] WHERE (([Owner] = 'Smith') AND "
                                        "([Au] > 0.5)) ORDER BY [Rocks].[Au]"));
    dialogs.queueText(QStringLiteral("Smiths"));
    ASSERT_TRUE(query.saveAsQuery());
    EXPECT_EQ(rows("SELECT [SampleID] FROM [Q_Smiths]"), (QStringList{"S4", "S7", "S8"}));
    EXPECT_TRUE(window->filters().isEmpty()); // a query is no filter

    // Saved and read back through a .sql file.
    const QString saved = query.sql;
    const QString path = dir.filePath(QStringLiteral("smiths.sql"));
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueText(path);
    ASSERT_TRUE(query.saveSqlFile());
    EXPECT_EQ(dialogs.log()[dialogs.log().size() - 2].text,
              QStringLiteral("Are you sure to save SQL clause:\r\n") + saved);
    query.sql.clear();
    dialogs.queueText(path);
    ASSERT_TRUE(query.openSqlFile());
    EXPECT_EQ(query.sql, saved);

    dialogs.clearLog();
    query.sql = QStringLiteral("SELECT * FROM [Nowhere]");
    dialogs.queueText(QStringLiteral("Broken"));
    EXPECT_FALSE(query.saveAsQuery());
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Query NOT saved as name: Broken\r\nSQL:"
                                                     "SELECT * FROM [Nowhere]"));
}

// While "ClipData" is set, filters go to the ClipData sheet and the database is left alone.
struct RecordingClipData : ClipDataFilters {
    QStringList calls;
    std::optional<int> makeFilter(const QString& sheet, const QString& column, const QString& op,
                                  const QString& value, const QString& name) override {
        calls << QStringList{sheet, column, op, value, name}.join(u'|');
        return int(calls.size());
    }
    int makeAutoFilters(const QString& sheet, const QString& column,
                        const QString& prefix) override {
        calls << QStringList{sheet, column, prefix}.join(u'|');
        return 4;
    }
};

TEST_P(FilterWindowTest, ClipDataFiltersGoToTheSheet) {
    RecordingClipData clip;
    window->attachClipData(&clip);
    window->clipData = true;
    ASSERT_TRUE(make("Sheet1", "Rock", "=", "Granite", "Granites"));
    window->prefix = QStringLiteral("R");
    ASSERT_TRUE(window->makeAutoFilters());
    EXPECT_EQ(clip.calls, (QStringList{"Sheet1|Rock|=|Granite|Granites", "Sheet1|Rock|R"}));
    EXPECT_EQ(dialogs.texts(), (QStringList{"Filter created for Clipdata! (1 filters existing.)",
                                            "4 filters done!"}));
    EXPECT_TRUE(window->filters().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Engines, FilterWindowTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
