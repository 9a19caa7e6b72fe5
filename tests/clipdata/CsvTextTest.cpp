// Comma-separated text: quotes, doubled quotes, embedded line breaks, broken quotes, and the way
// back.
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
                      CsvCase{"ab\"c,d\n", {{"ab\"c", "d"}}}, CsvCase{"", {}},
                      // A quote inside an unquoted field is a character, even at its end.
                      CsvCase{"1,Gneiss\",3\n2,x\"\"y\n",
                              {{"1", "Gneiss\"", "3"}, {"2", "x\"\"y"}}},
                      // A quoted field ends at a quote before a comma, a break or the end.
                      CsvCase{"\"a\"\r\n\"b\"\r\"c\"", {{"a"}, {"b"}, {"c"}}},
                      CsvCase{"a,\n\"\",", {{"a", ""}, {"", ""}}}));

TEST(CsvText, ABrokenQuoteNamesTheLineWhereItsFieldBegins) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"Id,Rock\n1,\"Granite,25\n2,Basalt,30\n3,Gabbro,47\n",
         "line 2: the quoted field that begins here is not closed"},
        {"Id,Rock\n1,\"Granite,25\n2,\"Gneiss\",30\n",
         "line 2: the quoted field that begins here has text after its closing quote"},
        {"a\r\rb,\"x\ny\"z\n", "line 3: the quoted field that begins here has text after its "
                               "closing quote"},
        {"\"abc\" ,d\n", "line 1: the quoted field that begins here has text after its closing "
                         "quote"},
        {"a\n\"", "line 2: the quoted field that begins here is not closed"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(CsvText::parse(QString::fromUtf8(c.text), &error)) << c.text;
        EXPECT_EQ(error, QString::fromUtf8(c.error)) << c.text;
    }
}

TEST(CsvText, WrittenRecordsReadBack) {
    const std::vector<QStringList> records{{"plain", "", "x,y"}, {"say \"hi\"", "a\nb", " pad "}};
    QString text;
    for (const QStringList& r : records)
        CsvText::appendRecord(text, r);
    EXPECT_EQ(CsvText::parse(text), records);
}

} // namespace
