// The filter window's four ways of combining two filters, on SQLite and on the live PostgreSQL
// server.
#include "filter/FilterSetCombiner.h"
#include "FilterSession.h"
#include "db/SchemaMapper.h"
#include "filter/FilterNames.h"
#include "filter/FilterViews.h"

namespace {

using Part = FilterSetCombiner::Part;

class FilterSetCombinerTest : public FilterSession {
protected:
    void SetUp() override {
        FilterSession::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // An assay without sample: a Null key must not empty "in A, not in B".
        run(db(), "INSERT INTO [Assays] VALUES (NULL, 'Au', 3)");
        FilterViews views(db());
        const std::pair<const char*, const char*> filters[] = {
            {"f_AuAssays", "SELECT * FROM [Assays] WHERE ([Assays].[Element] = 'Au')"},
            {"f_Granite", "SELECT * FROM [Rocks] WHERE ([Rocks].[Rock] = 'Granite')"},
            {"f_RichAu", "SELECT * FROM [Rocks] WHERE ([Rocks].[Au] > 2)"},
            {"f_Deep", "SELECT * FROM [Holes] WHERE ([Holes].[Depth] > 200)"},
        };
        for (const auto& [name, select] : filters)
            ASSERT_TRUE(views.create(QString::fromUtf8(name), QString::fromUtf8(select)))
                << views.lastError().toStdString();
        SchemaMapper(db(), status).RefreshFilterList(session->catalogue());
        combiner = std::make_unique<FilterSetCombiner>(db(), session->catalogue(), dialogs, status);
    }

    bool combine(const char* a, Part part, const char* b, const char* result = "Result") {
        combiner->filter1 = QString::fromUtf8(a);
        combiner->filter2 = QString::fromUtf8(b);
        combiner->result = QString::fromUtf8(result);
        combiner->part = part;
        return combiner->combine();
    }

    std::unique_ptr<FilterSetCombiner> combiner;
};

TEST_P(FilterSetCombinerTest, EachOptionGivesItsSet) {
    struct Case {
        const char* a;
        Part part;
        const char* b;
        QStringList keys;
    };
    const Case cases[] = {
        {"RichAu", Part::OnlyA, "Granite", {"S6", "S7", "S8"}},
        {"Granite", Part::OnlyA, "RichAu", {}},
        {"Granite", Part::OnlyB, "RichAu", {"S6", "S7", "S8"}},
        {"Granite", Part::OnlyA, "AuAssays", {"S3"}},
        {"AuAssays", Part::OnlyA, "Granite", {"S2"}}, // a Null key restricts nothing
        {"AuAssays", Part::Common, "Granite", {"S1", "S1"}},
        {"Granite", Part::Common, "RichAu", {"S1", "S3"}},
        {"Granite", Part::All, "RichAu", {"S1", "S3", "S6", "S7", "S8"}},
        {"AuAssays", Part::All, "Granite", {"NULL", "S1", "S2", "S3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " " + FilterSetCombiner::caption(c.part).toStdString() +
                     " " + c.b);
        dialogs.queueAnswer(Answer::Yes);
        ASSERT_TRUE(combine(c.a, c.part, c.b)) << dialogs.texts().join('\n').toStdString();
        EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Done !"));
        EXPECT_EQ(rows("SELECT [SampleID] FROM [f_Result]"), c.keys);
        EXPECT_TRUE(session->catalogue().filters.contains(QStringLiteral("Result")));
    }
}

TEST_P(FilterSetCombinerTest, StatementsReadAsTheFilterWindowWritesThem) {
    ASSERT_TRUE(combine("Granite", Part::All, "RichAu"));
    EXPECT_EQ(FilterViews(db()).queryDefinition(QStringLiteral("f_Result")),
              QStringLiteral("SELECT * FROM [Rocks] WHERE (([Rocks].[Rock] = 'Granite') OR "
                             "([Rocks].[Au] > 2))"));
    ASSERT_TRUE(combine("Granite", Part::Common, "RichAu", "Both"));
    EXPECT_EQ(FilterViews(db()).queryDefinition(QStringLiteral("f_Both")),
              QStringLiteral("SELECT [f_Granite].[SampleID] FROM [f_Granite], [f_RichAu] WHERE "
                             "[f_Granite].[SampleID]= [f_RichAu].[SampleID]"));
}

TEST_P(FilterSetCombinerTest, RefusalsChangeNothing) {
    ASSERT_TRUE(combine("Granite", Part::Common, "RichAu"));
    const auto before = FilterViews(db()).queryDefinition(QStringLiteral("f_Result"));

    struct Case {
        const char* a;
        Part part;
        const char* b;
        const char* result;
        QString message;
    };
    const Case cases[] = {
        {"Granite", Part::All, "Nothing", "Result", " Select existing filter"},
        {"Granite", Part::None, "RichAu", "Result", " Select operator"},
        {"Granite", Part::All, "RichAu", " ", "Give name for the resulting filter"},
        {"Granite", Part::All, "RichAu", "Bad]Name", FilterNames::refusal("f_Bad]Name")},
        {"Granite", Part::All, "Deep", "Result",
         "Can not be combined due to different keyfields\r\nFilter: Granite key = "
         "SampleID\r\nFilter: Deep key = HoleID"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        EXPECT_FALSE(combine(c.a, c.part, c.b, c.result));
        EXPECT_EQ(dialogs.texts().last(), c.message);
    }
    // Declining to replace keeps the old filter, too.
    dialogs.queueAnswer(Answer::No);
    EXPECT_FALSE(combine("Granite", Part::All, "RichAu"));
    EXPECT_EQ(dialogs.texts().last(),
              QStringLiteral("Filter Result exists. Do you want to replace it?"));
    EXPECT_EQ(FilterViews(db()).queryDefinition(QStringLiteral("f_Result")), before);
}

INSTANTIATE_TEST_SUITE_P(Engines, FilterSetCombinerTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
