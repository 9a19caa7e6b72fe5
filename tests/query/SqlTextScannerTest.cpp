#include "query/SqlTextScanner.h"

#include <gtest/gtest.h>

TEST(SqlTextScanner, SeparatesNamesAndLiteralsFromTheStatement) {
    struct Case {
        const char* text;
        const char* word;
        qsizetype at;
    } cases[] = {
        {"[FROM] FROM", "FROM", 7},     {"'FROM' FROM", "FROM", 7},
        {"\"FROM\" FROM", "FROM", 7},   {"'it''s FROM' FROM", "FROM", 13},
        {"[a]]FROM] FROM", "FROM", 10}, {"[FROM", "FROM", -1},
        {"x FROM", "from", -1},         {"", "FROM", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SqlTextScanner(QString::fromUtf8(c.text)).find(QString::fromUtf8(c.word)), c.at)
            << c.text;
}

TEST(SqlTextScanner, MatchesParenthesesOutsideNames) {
    const SqlTextScanner scan(QStringLiteral("(a IN (1,2)) AND ([)] = ')')"));
    EXPECT_EQ(scan.matchingClose(0), 11);
    EXPECT_EQ(scan.matchingClose(6), 10);
    EXPECT_EQ(scan.matchingClose(17), 27);
    EXPECT_EQ(scan.matchingClose(1), -1); // not a "("
    EXPECT_EQ(scan.matchingClose(99), -1);
    EXPECT_EQ(scan.parenthesisBalance(), 0);
    EXPECT_EQ(SqlTextScanner(QStringLiteral("((a)")).matchingClose(0), -1);
    EXPECT_EQ(SqlTextScanner(QStringLiteral("((a)")).parenthesisBalance(), 1);
}

TEST(SqlTextScanner, SplitsOutsideNamesAndLiterals) {
    EXPECT_EQ(SqlTextScanner(QStringLiteral("[A,B], [C], 'x,y'")).split(u','),
              (QStringList{"[A,B]", " [C]", " 'x,y'"}));
    EXPECT_EQ(SqlTextScanner(QString()).split(u','), QStringList{QString()});
    EXPECT_EQ(SqlTextScanner(QStringLiteral("a,,b")).split(u','), (QStringList{"a", "", "b"}));
}
