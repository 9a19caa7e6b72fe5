// Parsing of outside CSV tables: quoting, missing values, type inference and errors.
#include "CsvTable.h"

#include <gtest/gtest.h>

namespace {

using Type = CsvTable::ColumnType;

TEST(CsvTableTest, ReadsQuotedFieldsAndMissingValues) {
    QString error;
    const auto t = CsvTable::parse("\xEF\xBB\xBF\"name\",\"n\",\"v\"\r\n"
                                   "\"a, b\",1,2.5\r\n"
                                   "\"say \"\"hi\"\"\",NA,\r\n"
                                   "\"NA\",-3,1e3\r\n"
                                   "\"two\nlines\",4,NA\r\n"
                                   "\r\n",
                                   &error);
    ASSERT_TRUE(t) << error.toStdString();
    EXPECT_EQ(t->header(), QStringList({"name", "n", "v"}));
    ASSERT_EQ(t->rowCount(), 4);
    EXPECT_EQ(t->cell(0, 0).text, "a, b");
    EXPECT_EQ(t->cell(1, 0).text, "say \"hi\"");
    EXPECT_EQ(t->cell(3, 0).text, "two\nlines");
    EXPECT_TRUE(CsvTable::isMissing(t->cell(1, 1)));  // NA
    EXPECT_TRUE(CsvTable::isMissing(t->cell(1, 2)));  // empty
    EXPECT_FALSE(CsvTable::isMissing(t->cell(2, 0))); // "NA" quoted is the text NA
    EXPECT_EQ(t->columnType(0), Type::Text);
    EXPECT_EQ(t->columnType(1), Type::Integer);
    EXPECT_EQ(t->columnType(2), Type::Real);
}

TEST(CsvTableTest, InfersColumnTypesFromEveryValue) {
    struct Case {
        const char* values; // one column, one value per line
        Type type;
    };
    const Case cases[] = {
        {"1\n2\n-7\n", Type::Integer},
        {"1\n2.5\n", Type::Real},
        {"1\nNA\n3\n", Type::Integer},
        {"1\n\"2\"\n", Type::Text}, // a quoted number is a class, not a number
        {"1\nx\n", Type::Text},
        {"NA\nNA\n", Type::Text},               // nothing to go by
        {"99999999999999999999\n", Type::Real}, // too big for 64 bits
        {"inf\n", Type::Text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values);
        QString error;
        const auto t = CsvTable::parse(QByteArray("h\n") + c.values, &error);
        ASSERT_TRUE(t) << error.toStdString();
        EXPECT_EQ(t->columnType(0), c.type);
    }
}

TEST(CsvTableTest, ReportsMalformedInputWithItsLine) {
    struct Case {
        const char* data;
        const char* error;
    };
    const Case cases[] = {
        {"", "no header line"},
        {"a,b\n1,2\n3\n", "line 3: 1 fields where the header has 2"},
        {"a,b\n1,2,3\n", "line 2: 3 fields where the header has 2"},
        {"a,b\n\"1,2\n", "line 2: the quoted field that begins here is not closed"},
        {"a,b\n\"1\"x,2\n", "line 2: the quoted field that begins here has text after its "
                            "closing quote"},
        {"a,b\n\"x\ny\"z,1\n", "line 2: the quoted field that begins here has text after its "
                               "closing quote"},
        {"a,,b\n", "line 1: an empty column name"},
        {"a,A\n", "line 1: the column name A appears twice"},
        {"a,b\n\"x\ny\",1\n1\n", "line 4: 1 fields where the header has 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        QString error;
        EXPECT_FALSE(CsvTable::parse(c.data, &error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(CsvTableTest, MissingFileNamesThePath) {
    QString error;
    EXPECT_FALSE(CsvTable::read(QStringLiteral("/nonexistent/meuse.csv"), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("cannot open /nonexistent/meuse.csv: ")))
        << error.toStdString();
}

} // namespace
