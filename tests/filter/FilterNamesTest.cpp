#include "filter/FilterNames.h"

#include <gtest/gtest.h>

namespace {

TEST(FilterNames, SanitizesValuesIntoViewNames) {
    const struct {
        const char* text;
        bool slash;
        const char* name;
    } cases[] = {
        {" Fine-grained ", false, "Fine_grained"},
        {"Granite", false, "Granite"},
        {"50% Cu", false, "50%_Cu"},
        {"a/b", false, "a/b"},
        {"a/b", true, "a_b"},
        {"x:y@z", false, "x_y_z"},
        {"[A]^`", false, "_A___"},
        {"{ok}|~", false, "{ok___"},
        {"Gneiss, banded.", false, "Gneiss__banded_"},
        {"Kivi \xc3\xa4", false, "Kivi__"},
        {"09az", false, "09az"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilterNames::sanitize(QString::fromUtf8(c.text), c.slash),
                  QString::fromUtf8(c.name))
            << c.text;
}

TEST(FilterNames, RefusesNamesThatCannotStandInBrackets) {
    for (const char* bad : {"a[b", "a]b", "a\"b", "a.b", "a!b", "", "  ", "a\nb"})
        EXPECT_FALSE(FilterNames::refusal(QString::fromUtf8(bad)).isEmpty()) << bad;
    for (const char* good : {"Granite", "O'Brien", "Au > 1", "Rock_Fine_grained", "%"})
        EXPECT_TRUE(FilterNames::refusal(QString::fromUtf8(good)).isEmpty()) << good;
}

TEST(FilterNames, PutsThePrefixAndGroupInFront) {
    EXPECT_EQ(FilterNames::viewName(QStringLiteral("Gold")), QStringLiteral("f_Gold"));
    EXPECT_EQ(FilterNames::viewName(QStringLiteral("Gold"), QStringLiteral("Rock")),
              QStringLiteral("f_Rock_Gold"));
    EXPECT_EQ(FilterNames::filterName(QStringLiteral("f_")), QString());
    EXPECT_TRUE(FilterNames::isFilterView(QStringLiteral("f_")));
    EXPECT_EQ(FilterNames::filterName(QStringLiteral("Rocks")), QString());
}

} // namespace
