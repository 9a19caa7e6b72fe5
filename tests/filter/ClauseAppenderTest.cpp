#include "filter/ClauseAppender.h"
#include "filter/ConditionPreparer.h"

#include <gtest/gtest.h>

namespace {

FilterCondition cond(const char* op, const char* value) {
    return ConditionPreparer::prepare(QString::fromUtf8(op), QString::fromUtf8(value));
}

TEST(ClauseAppender, BuildsMultiClauseFiltersTableByTable) {
    using J = ClauseAppender::Join;
    QString sql = ClauseAppender::addClause({}, QStringLiteral("Rocks"), QStringLiteral("Au"),
                                            cond(">", "1"), J::And, {});
    EXPECT_EQ(sql, QStringLiteral("SELECT [Rocks].* FROM [Rocks] WHERE [Rocks].[Au] > 1"));
    sql = ClauseAppender::addClause(sql, QStringLiteral("Rocks"), QStringLiteral("Rock"),
                                    cond("=", "Granite"), J::Or, {});
    EXPECT_EQ(sql, QStringLiteral("SELECT [Rocks].* FROM [Rocks] WHERE [Rocks].[Au] > 1 Or "
                                  "[Rocks].[Rock] = 'Granite'"));
    // A further table: its link binds the whole condition, so "Or" cannot unjoin it.
    sql = ClauseAppender::addClause(sql, QStringLiteral("Assays"), QStringLiteral("Element"),
                                    cond("=", "Au"), J::And,
                                    QStringLiteral("[Rocks].[SampleID]=[Assays].[SampleID]"));
    EXPECT_EQ(sql,
              QStringLiteral("SELECT [Rocks].* FROM [Rocks] , [Assays] WHERE ([Rocks].[Au] > 1 "
                             "Or [Rocks].[Rock] = 'Granite' And [Assays].[Element] = 'Au') "
                             "AND ([Rocks].[SampleID]=[Assays].[SampleID])"));
    EXPECT_EQ(ClauseAppender::fromTables(sql), (QStringList{"Rocks", "Assays"}));
}

TEST(ClauseAppender, PutsConditionsBeforeOrderBy) {
    const struct {
        const char* sql;
        const char* added;
    } cases[] = {
        {"SELECT * FROM [Rocks]", "SELECT * FROM [Rocks] WHERE [Au] > 1"},
        {"SELECT * FROM [Rocks] ORDER BY [Rocks].[Au];",
         "SELECT * FROM [Rocks] WHERE [Au] > 1 ORDER BY [Rocks].[Au];"},
        {"SELECT * FROM [Rocks] WHERE [Rock] = 'ORDER' ORDER BY [Au]",
         "SELECT * FROM [Rocks] WHERE (([Rock] = 'ORDER') AND ([Au] > 1)) ORDER BY [Au]"},
        {"SELECT * FROM [Rocks] WHERE [Rock] = 'x'", "SELECT * FROM [Rocks] WHERE (([Rock] = 'x') "
                                                     "AND ([Au] > 1))"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClauseAppender::addCondition(QString::fromUtf8(c.sql), QStringLiteral("Au"),
                                               cond(">", "1")),
                  QString::fromUtf8(c.added))
            << c.sql;
    EXPECT_EQ(ClauseAppender::addClause(QStringLiteral("SELECT [Rocks].* FROM [Rocks] WHERE "
                                                       "[Rocks].[Au] > 1 ORDER BY [Rocks].[Au]"),
                                        QStringLiteral("Rocks"), QStringLiteral("Rock"),
                                        cond("Is Null", ""), ClauseAppender::Join::And, {}),
              QStringLiteral("SELECT [Rocks].* FROM [Rocks] WHERE [Rocks].[Au] > 1 And "
                             "[Rocks].[Rock] Is Null ORDER BY [Rocks].[Au]"));
}

} // namespace
