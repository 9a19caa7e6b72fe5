#include "platform/qt/QtDialogs.h"

#include <gtest/gtest.h>

TEST(QtDialogs, TranslatesTheDesignsFilterTexts) {
    struct Case {
        const char* filter;
        const char* qt;
    } cases[] = {
        {"Access database (*.mdb)|*.mdb", "Access database (*.mdb)"},
        {"Access database (*.mdb)|*.mdb|All files (*.*)|*.*",
         "Access database (*.mdb);;All files (*)"},
        {"Text files|*.txt;*.csv", "Text files (*.txt *.csv)"},
        {"", ""},
        {"Macro (*.amc)|*.amc|", "Macro (*.amc)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtDialogs::toQtFilter(QString::fromUtf8(c.filter)), QString::fromUtf8(c.qt))
            << c.filter;
}
