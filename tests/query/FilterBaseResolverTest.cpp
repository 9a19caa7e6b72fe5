#include "query/FilterBaseResolver.h"

#include "query/LinkedSampleDatabase.h"

namespace {

class FilterBaseResolverTest : public LinkedSampleDatabase {};

TEST_P(FilterBaseResolverTest, FindsTheTableBehindFiltersAndQueries) {
    FilterBaseResolver resolver(*db, catalogue);
    struct Case {
        const char* name;
        const char* table;
        const char* key;
    } cases[] = {
        {"f_Gold", "Assay", "SampleNo"},
        {"[f_Gold]", "Assay", "SampleNo"},
        {"f_RichGold", "Assay", "SampleNo"}, // a filter on a filter
        {"f_Basalt", "Samples", "SampleNo"},
        {"Rocks", "Samples", "SampleNo"}, // no key column among its own columns
        {"f_Join", "Assay", "SampleNo"},  // the table whose key the view carries
        {"Samples", "Samples", "SampleNo"},
        {"f_table", "f_table", ""}, // a table with a filter's name ends the walk
        {"f_Missing", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const FilterBase base = resolver.GetFilterBase(QString::fromUtf8(c.name));
        EXPECT_EQ(base.table, QString::fromUtf8(c.table)) << c.name;
        EXPECT_EQ(base.keyColumn, QString::fromUtf8(c.key)) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, FilterBaseResolverTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

TEST(FilterBaseResolver, AClosedConnectionFindsNothing) {
    QTemporaryDir dir;
    auto opened = SqliteConnection::open(dir.filePath(QStringLiteral("closed.sqlite")),
                                         SqliteConnection::Mode::ReadWriteCreate);
    ASSERT_TRUE(opened.ok());
    ASSERT_TRUE(
        opened.connection->execute(QStringLiteral("CREATE TABLE [Assay] ([SampleNo] TEXT(9))")));
    ASSERT_TRUE(opened.connection->execute(
        QStringLiteral("CREATE VIEW [f_Gold] AS SELECT * FROM [Assay]")));
    SchemaCatalogue catalogue;
    FilterBaseResolver resolver(*opened.connection, catalogue);
    EXPECT_EQ(resolver.GetFilterBase(QStringLiteral("f_Gold")).table, QStringLiteral("Assay"));
    opened.connection->close();
    const FilterBase base = resolver.GetFilterBase(QStringLiteral("f_Gold"));
    EXPECT_TRUE(base.table.isEmpty());
    EXPECT_TRUE(base.keyColumn.isEmpty());
}

TEST(FilterBaseResolver, CleansTheBaseName) {
    struct Case {
        const char* raw;
        const char* clean;
    } cases[] = {
        {" [Assay] ", "Assay"},
        {"Assay;", "Assay"},
        {"[Assay],", "Assay]"},
        {"Assay ,", "Assay"},
        {"", ""},
        {"[f_Gold]", "f_Gold"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterBaseResolver::cleanBaseName(QString::fromUtf8(c.raw)),
                  QString::fromUtf8(c.clean))
            << c.raw;
}

} // namespace
