#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(SplitCommandLine, SeparatesAtCommasAndTabsOnly) {
    struct Case {
        const char* line;
        int max;
        QStringList expected;
    } cases[] = {
        {"", 10, {}},
        {",,\t,", 10, {}},
        {"D/ /data/a b.mdb", 10, {"D/ /data/a b.mdb"}},
        {"a,b\tc", 10, {"a", "b", "c"}},
        {"/data/x,y.mdb", 10, {"/data/x", "y.mdb"}},
        {",,a,,b,,", 10, {"a", "b"}},
        {" , ", 10, {" ", " "}},
        {"1,2,3,4,5,6,7,8,9,10,11,12", 10, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"a,b,c", 2, {"a", "b"}},
        {"a,b,,,", 2, {"a", "b"}},
        {"\"q,u\"", 10, {"\"q", "u\""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandLine::SplitCommandLine(QString::fromUtf8(c.line), c.max), c.expected)
            << c.line;
}

TEST(SplitCommandLine, ProcessArgumentsStaySeparate) {
    const QString line = CommandLine::fromProcessArguments({"D/a.sqlite", "demo.amc"});
    EXPECT_EQ(CommandLine::SplitCommandLine(line), (QStringList{"D/a.sqlite", "demo.amc"}));
}
