// The builders' statements run on real engines through the dialect layer, over a catalogue mapped
// from the database itself: the rows must be the ones the joins, filters and sorts promise.
#include "platform/ScriptedDialogs.h"
#include "query/CatalogueJoinConditions.h"
#include "query/FieldSelect.h"
#include "query/FilterBaseResolver.h"
#include "query/JoinSelect.h"
#include "query/LinkedSampleDatabase.h"
#include "query/LoadTablesSql.h"
#include "query/PairSelect.h"
#include "query/QueryTableChooser.h"

namespace {

class SqlBuilderExecution : public LinkedSampleDatabase {
protected:
    std::unique_ptr<FilterBaseResolver> resolver;
    std::unique_ptr<LinkSearch> links;

    void SetUp() override {
        LinkedSampleDatabase::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        resolver = std::make_unique<FilterBaseResolver>(*db, catalogue);
        links = std::make_unique<LinkSearch>(catalogue, *resolver);
    }

    static FieldEntry entry(const char* table, const char* field, qint16 sort = 0,
                            bool notNull = false, qint16 join = FieldEntry::Inner) {
        return {QString::fromUtf8(table), QString::fromUtf8(field), sort, notNull, join};
    }
};

TEST_P(SqlBuilderExecution, FieldSelectJoinsExcludesNullsAndSorts) {
    const FieldSelect s =
        BuildFieldSelect(*links, {entry("Samples", "Rock"), entry("Assay", "Au", 1, true)}, 0);
    EXPECT_EQ(rows(s.fieldList),
              (QStringList{"Basalt|0.5", "Granite|2.5", "Granite|2.5", "Basalt|4"}));
    const auto star = db->query(s.tableStar);
    ASSERT_TRUE(star) << db->lastError().toStdString();
    EXPECT_EQ(star->rowCount(), 4);
    EXPECT_EQ(star->columnCount(), 6);
}

TEST_P(SqlBuilderExecution, FieldSelectThroughFilters) {
    EXPECT_EQ(
        rows(BuildFieldSelect(
                 *links,
                 {entry("Samples", "Rock"), entry("f_Gold", "Au", 2), entry("f_Gold", "Cu", 1)}, 0)
                 .fieldList),
        (QStringList{"Basalt|4|NULL", "Granite|2.5|5", "Granite|2.5|20"}));
    // A filter on a filter finds its keys through both to Assay.
    EXPECT_EQ(
        rows(BuildFieldSelect(*links, {entry("Samples", "Rock"), entry("f_RichGold", "Au")}, 0)
                 .fieldList),
        QStringList{"Basalt|4"});
}

TEST_P(SqlBuilderExecution, JoinSelectChainsEachTableToThePreviousOne) {
    EXPECT_EQ(rows(BuildJoinSelect({entry("Samples", "SampleNo", 1), entry("Samples", "Rock"),
                                    entry("Assay", "Au", 0, false, FieldEntry::Left),
                                    entry("Chem", "SiO2", 0, false, FieldEntry::Left)},
                                   QStringLiteral("SampleNo"))),
              (QStringList{"S1|Basalt|0.5|50", "S2|Granite|2.5|NULL", "S2|Granite|2.5|NULL",
                           "S3|Basalt|4|NULL", "S4|Gabbro|NULL|NULL"}));
    EXPECT_EQ(rows(BuildJoinSelect({entry("Samples", "SampleNo"),
                                    entry("Assay", "SampleNo", 0, false, FieldEntry::Right),
                                    entry("Assay", "Au", 1)},
                                   QStringLiteral("SampleNo"))),
              (QStringList{"S1|S1|0.5", "S2|S2|2.5", "S2|S2|2.5", "S3|S3|4", "NULL|S5|9"}));
    // Four tables: two opening parentheses, a filter joined like a table.
    EXPECT_EQ(rows(BuildJoinSelect({entry("Samples", "SampleNo"), entry("Assay", "Au"),
                                    entry("Chem", "SiO2", 0, false, FieldEntry::Left),
                                    entry("f_Basalt", "Rock", 0, true)},
                                   QStringLiteral("SampleNo"))),
              QStringList{"S1|0.5|50|Basalt"});
}

TEST_P(SqlBuilderExecution, PairSelectSortsByBothColumns) {
    // Jet's ORDER BY 1 AND 2 is run as ORDER BY 1, 2: the two S2 rows come in Cu order although
    // the one with Cu 5 was written last.
    EXPECT_EQ(rows(BuildPairSelect(*links, "Assay", "Assay", "", "Au", "Cu")),
              (QStringList{"0.5|10", "2.5|5", "2.5|20", "9|50"}));
    EXPECT_EQ(rows(BuildPairSelect(*links, "Samples", "Assay", "", "X", "Au")),
              (QStringList{"1|0.5", "2|2.5", "2|2.5"}));
    EXPECT_EQ(rows(BuildPairSelect(*links, "Samples", "Samples", "f_Basalt", "X", "Rock")),
              QStringList{"1|Basalt"});
    EXPECT_EQ(rows(BuildPairSelect(*links, "Samples", "Assay", "f_RichGold", "X", "Au")),
              QStringList());
    EXPECT_EQ(rows(BuildPairSelect(*links, "Samples", "Assay", "f_Gold", "Rock", "Cu")),
              (QStringList{"Granite|5", "Granite|5", "Granite|20", "Granite|20"}));
    EXPECT_TRUE(BuildPairSelect(*links, "Samples", "f_table", "", "X", "A").isEmpty());
}

TEST_P(SqlBuilderExecution, LoadTablesWithAndWithoutALeftJoinBase) {
    auto load = [&](const QStringList& chosen, const QString& base, const QString& filter) {
        const LoadTablesSql sql = BuildLoadTablesSql(*links, chosen, base, filter);
        EXPECT_TRUE(sql.message.isEmpty()) << sql.message.toStdString();
        return db->query(sql.statement);
    };
    const auto all = load({"Chem", "Samples"}, "Samples", "");
    ASSERT_TRUE(all) << db->lastError().toStdString();
    EXPECT_EQ(all->rowCount(), 4); // every sample, with or without chemistry
    EXPECT_EQ(all->columnCount(), 5);

    // The filter restricts the left-join chain instead of being joined from the left.
    const auto basalt = load({"Samples", "Chem"}, "Samples", "Basalt");
    ASSERT_TRUE(basalt) << db->lastError().toStdString();
    ASSERT_EQ(basalt->rowCount(), 2);
    EXPECT_EQ(basalt->columnCount(), 8);
    QStringList samples{basalt->at(0, 0).toText(), basalt->at(1, 0).toText()};
    samples.sort();
    EXPECT_EQ(samples, (QStringList{"S1", "S3"}));

    const auto joined = load({"Samples", "Assay"}, "", "Basalt");
    ASSERT_TRUE(joined) << db->lastError().toStdString();
    EXPECT_EQ(joined->rowCount(), 2);

    const LoadTablesSql unlinked =
        BuildLoadTablesSql(*links, {"Samples", "f_table"}, "Samples", "");
    EXPECT_TRUE(unlinked.statement.isEmpty());
    EXPECT_EQ(unlinked.message, QStringLiteral("NO LINK between Samples AND f_table"));
}

// The table chooser asks the catalogue's join conditions for the query's tables.
class RowCountingGrid : public QueryGridHost {
public:
    explicit RowCountingGrid(Connection& db)
        : db_(db) {}
    bool openInGrid(const QString& statement) override {
        const auto r = db_.query(statement);
        count = r ? r->rowCount() : -1;
        return bool(r);
    }
    qsizetype count = -1;

private:
    Connection& db_;
};

TEST_P(SqlBuilderExecution, TableChooserJoinsOverTheCatalogueLinks) {
    ScriptedDialogs dialogs;
    CatalogueJoinConditions joins(*links);
    RowCountingGrid grid(*db);
    QueryTableChooser chooser(dialogs, joins, grid);
    chooser.load(QStringLiteral("SELECT [Samples].[Rock], [f_Gold].[Au] FROM [Samples], [f_Gold] "
                                "WHERE [f_Gold].[Cu] > 6"));
    ASSERT_TRUE(chooser.accept({QStringLiteral("Samples")})) << db->lastError().toStdString();
    EXPECT_EQ(
        chooser.statement(),
        QStringLiteral("SELECT [Samples].* FROM [Samples], [f_Gold] WHERE ([f_Gold].[Cu] > 6) "
                       "AND ([Samples].[SampleNo]=[f_Gold].[SampleNo])"));
    EXPECT_EQ(grid.count, 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, SqlBuilderExecution,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
