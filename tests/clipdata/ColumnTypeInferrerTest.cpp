// Column types of a table made from a sheet, at the edges of each category.
#include "clipdata/ColumnTypeInferrer.h"
#include "platform/Sheet.h"

#include <gtest/gtest.h>

namespace {

struct TypeCase {
    const char* heading;
    QStringList cells; // rows 2.., "" for an empty cell
    bool key;
    const char* expected;
};

class ColumnTypes : public ::testing::TestWithParam<TypeCase> {};

TEST_P(ColumnTypes, InferredFromTheCells) {
    const TypeCase& c = GetParam();
    Sheet page;
    page.setText(1, 1, QString::fromUtf8(c.heading));
    for (int i = 0; i < c.cells.size(); ++i)
        page.fromTsv(c.cells[i], i + 2, 1);
    EXPECT_EQ(ColumnTypeInferrer::infer(page, 1, c.key).jetType(), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Edges, ColumnTypes,
                         ::testing::Values(TypeCase{"A", {"1", "2", "40000"}, false, "LONG"},
                                           TypeCase{"A", {"1", "2.5"}, false, "DOUBLE"},
                                           TypeCase{"A", {"1", "x"}, false, "TEXT (10)"},
                                           TypeCase{"A", {"1", "2", "32767"}, false, "INTEGER"},
                                           TypeCase{"A", {"-32768"}, false, "INTEGER"},
                                           TypeCase{"A", {"-32769"}, false, "LONG"},
                                           TypeCase{"A", {"40000", "0.1"}, false, "DOUBLE"},
                                           TypeCase{"A", {"1", "", "3"}, true, "LONG"},
                                           TypeCase{"A", {"", ""}, false, "TEXT (10)"},
                                           TypeCase{"A", {"abcdefghijk"}, false, "TEXT (50)"},
                                           TypeCase{"A", {QString(50, 'x')}, false, "TEXT (50)"},
                                           TypeCase{"A", {QString(51, 'x')}, false, "TEXT (255)"},
                                           TypeCase{"SampleDate", {"1"}, false, "DATE"},
                                           TypeCase{"TimeTaken", {"x"}, false, "DATE"}));

} // namespace
