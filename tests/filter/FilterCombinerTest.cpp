// f_Combined on SQLite and on the live PostgreSQL server.
#include "filter/FilterCombiner.h"
#include "FilterSession.h"
#include "filter/DiagramFilterTarget.h"
#include "filter/FilterViews.h"
#include "query/FieldSelect.h"
#include "query/FilterBaseResolver.h"

namespace {

struct RecordingDiagram : DiagramFilterTarget {
    QStringList used;
    void useFilter(const QString& view) override { used << view; }
};

class FilterCombinerTest : public FilterSession {
protected:
    void SetUp() override {
        FilterSession::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        FilterViews views(db());
        // S1 holds two Au assays, S2 one.
        ASSERT_TRUE(views.create(QStringLiteral("f_AuAssays"),
                                 QStringLiteral("SELECT * FROM [Assays] WHERE ([Assays].[Element] "
                                                "= 'Au')")));
        ASSERT_TRUE(views.create(QStringLiteral("f_Granite"),
                                 QStringLiteral("SELECT * FROM [Rocks] WHERE ([Rocks].[Rock] = "
                                                "'Granite')")));
        ASSERT_TRUE(views.create(QStringLiteral("f_RichAu"),
                                 QStringLiteral("SELECT * FROM [Rocks] WHERE ([Rocks].[Au] > 2)")));
        ASSERT_TRUE(views.create(QStringLiteral("f_Deep"),
                                 QStringLiteral("SELECT * FROM [Holes] WHERE ([Holes].[Depth] > "
                                                "200)")));
        SchemaMapper(db(), status).RefreshFilterList(session->catalogue());
        combiner = std::make_unique<FilterCombiner>(db(), session->catalogue(), dialogs, status);
    }

    bool combine(const char* a, FilterCombiner::Operator op, const char* b) {
        combiner->filterA = QString::fromUtf8(a);
        combiner->filterB = QString::fromUtf8(b);
        combiner->op = op;
        return combiner->combine(&diagram);
    }

    std::unique_ptr<FilterCombiner> combiner;
    RecordingDiagram diagram;
};

using Op = FilterCombiner::Operator;

TEST_P(FilterCombinerTest, AndKeepsRepeatsOrRemovesThem) {
    // No f_Combined yet: the first combination makes it.
    ASSERT_TRUE(combine("AuAssays", Op::And, "Granite"))
        << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(combiner->resultText(), QStringLiteral("AuAssays AND Granite"));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Combined filter includes 2 rows"));
    EXPECT_EQ(rows("SELECT * FROM [f_Combined]"), (QStringList{"S1", "S1"}));
    EXPECT_EQ(FilterViews(db()).queryDefinition(QStringLiteral("f_Combined")),
              QStringLiteral("SELECT [f_AuAssays].[SampleID] FROM [f_AuAssays], [f_Granite] WHERE "
                             "[f_AuAssays].[SampleID]=[f_Granite].[SampleID]"));
    EXPECT_EQ(diagram.used, QStringList{"f_Combined"});
    EXPECT_TRUE(session->catalogue().filters.contains(QStringLiteral("Combined")));

    ASSERT_TRUE(combine("AuAssays", Op::Or, "Granite"));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Combined filter includes 3 rows"));
    EXPECT_EQ(rows("SELECT * FROM [f_Combined]"), (QStringList{"S1", "S2", "S3"}));
    ASSERT_TRUE(combine("Granite", Op::Or, "RichAu"));
    EXPECT_EQ(rows("SELECT * FROM [f_Combined]"), (QStringList{"S1", "S3", "S6", "S7", "S8"}));
    ASSERT_TRUE(combine("Granite", Op::And, "RichAu"));
    EXPECT_EQ(rows("SELECT * FROM [f_Combined]"), (QStringList{"S1", "S3"}));
}

TEST_P(FilterCombinerTest, DifferentKeysAndFailuresKeepThePreviousCombination) {
    ASSERT_TRUE(combine("Granite", Op::And, "RichAu"));
    dialogs.clearLog();
    EXPECT_FALSE(combine("Granite", Op::Or, "Deep"));
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Union query can not be made because the key fiels of "
                                         "filters are different (SampleID,HoleID)")});
    EXPECT_EQ(rows("SELECT * FROM [f_Combined]"), (QStringList{"S1", "S3"}));

    // A combination that reads itself cannot be made; the old one stays.
    dialogs.clearLog();
    EXPECT_FALSE(combine("Combined", Op::And, "RichAu"));
    ASSERT_EQ(dialogs.log().size(), 1u);
    EXPECT_EQ(dialogs.log()[0].kind, MessageKind::Critical);
    EXPECT_EQ(rows("SELECT * FROM [f_Combined]"), (QStringList{"S1", "S3"}));

    dialogs.clearLog();
    EXPECT_FALSE(combine("", Op::And, "RichAu"));
    EXPECT_FALSE(combine("Granite", Op::None, "RichAu"));
    EXPECT_FALSE(combine("Granite", Op::Or, "Nowhere"));
    EXPECT_EQ(dialogs.texts(), (QStringList{" You have to select filtername", " Select operator",
                                            " Select existing filter"}));
    EXPECT_EQ(diagram.used, QStringList{"f_Combined"});
}

// What the diagrams ask for: a field list joined with a filter returns the filter's samples only.
TEST_P(FilterCombinerTest, SelectionsDrawThroughAFilter) {
    const FilterBaseResolver bases(db(), session->catalogue());
    const LinkSearch links(session->catalogue(), bases);
    const FieldSelect select =
        BuildFieldSelect(links,
                         {{QStringLiteral("Rocks"), QStringLiteral("SampleID")},
                          {QStringLiteral("Rocks"), QStringLiteral("Au")},
                          {QStringLiteral("f_Granite"), QStringLiteral("SampleID")}},
                         0);
    EXPECT_EQ(rows(select.fieldList), (QStringList{"S1|12|S1", "S3|3|S3"}))
        << select.fieldList.toStdString();
    ASSERT_TRUE(combine("Granite", Op::Or, "RichAu"));
    const FieldSelect combined =
        BuildFieldSelect(links,
                         {{QStringLiteral("Rocks"), QStringLiteral("Au")},
                          {QStringLiteral("f_Combined"), QStringLiteral("SampleID")}},
                         0);
    EXPECT_EQ(rows(combined.fieldList).size(), 5) << combined.fieldList.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Engines, FilterCombinerTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
