// Comma-separated text: quotes, doubled quotes, embedded line breaks, and the way back.
#include "clipdata/CsvText.h"

#include <gtest/gtest.h>

namespace {

struct CsvCase {
    const char* text;
    std::vector<QStringList> records;
};

class CsvParse : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvParse, Records) {
    const auto parsed = CsvText::parse(QString::fromUtf8(GetParam().text));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, CsvParse,
    ::testing::Values(CsvCase{"a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}},
                      CsvCase{"a,b\n1,2", {{"a", "b"}, {"1", "2"}}},
                      CsvCase{"a,,c\r", {{"a", "", "c"}}},
                      CsvCase{"\"x,y\",\"say \"\"hi\"\"\"\n", {{"x,y", "say \"hi\""}}},
                      CsvCase{"\"two\r\nlines\",z\n", {{"two\r\nlines", "z"}}},
                      CsvCase{"\"\",a\n\nb\n", {{"", "a"}, {""}, {"b"}}},
                      CsvCase{"ab\"c,d\n", {{"ab\"c", "d"}}}, CsvCase{"", {}}));

TEST(CsvText, OpenQuoteIsAnError) {
    QString error;
    EXPECT_FALSE(CsvText::parse(QStringLiteral("a,\"b\nc\n"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(CsvText, WrittenRecordsReadBack) {
    const std::vector<QStringList> records{{"plain", "", "x,y"}, {"say \"hi\"", "a\nb", " pad "}};
    QString text;
    for (const QStringList& r : records)
        CsvText::appendRecord(text, r);
    EXPECT_EQ(CsvText::parse(text), records);
}

} // namespace
