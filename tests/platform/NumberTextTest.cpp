#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberText, WritesTheShortestExactCLocaleForm) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "-0"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.3333333333333333"},
        {-1500.0, "-1500"},
        {123456789012.0, "123456789012"},
        {1e22, "1e+22"},
        {1e-300, "1e-300"},
        {5e-324, "5e-324"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {kInf, "inf"},
        {-kInf, "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberText::toText(c.value), QString::fromLatin1(c.text)) << c.text;
        QByteArray out("x");
        NumberText::appendTo(out, c.value);
        EXPECT_EQ(out, QByteArray("x") + c.text);
    }
}

TEST(NumberText, ShowsAtMostTenSignificantDigitsButEveryWholeDigit) {
    const struct {
        double value;
        const char* shown;
    } cases[] = {
        {54.599999999999994, "54.6"},
        {0.1 + 0.2, "0.3"},
        {-2.675, "-2.675"},
        {1.0 / 3.0, "0.3333333333"},
        {2.0 / 3.0, "0.6666666667"},
        {1e-12, "1e-12"},
        {0.000123456789012, "0.000123456789"},
        {1234.56789012345, "1234.56789"},
        {123456789012.0, "123456789012"},
        {123456789012.4, "123456789012"},
        {9999999999.99, "10000000000"},
        {999999999.99999999, "1000000000"},
        {1e15, "1e+15"},
        {1e22, "1e+22"},
        {std::numeric_limits<double>::max(), "1.797693135e+308"},
        {-1500.0, "-1500"},
        {-0.0, "0"},
        {kInf, "inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberText::toDisplayText(c.value), QString::fromLatin1(c.shown)) << c.shown;
}

TEST(NumberText, EveryFiniteDoubleReadsBackBitForBit) {
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value)) {
            continue;
        }
        const auto back = NumberText::fromText(NumberText::toText(value));
        ASSERT_TRUE(back.has_value()) << NumberText::toText(value).toStdString();
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*back), std::bit_cast<std::uint64_t>(value));
    }
}

TEST(NumberText, ReadsOnlyCLocaleDecimals) {
    const struct {
        const char* text;
        std::optional<double> plain;   // Specials::Reject
        std::optional<double> special; // Specials::Accept, when it differs in kind
    } cases[] = {
        {"12", 12, 12},      {" -1.5e3 ", -1500, -1500},
        {"\t7\r\n", 7, 7},   {"+.5", 0.5, 0.5},
        {"5.", 5, 5},        {"-0", -0.0, -0.0},
        {"1E3", 1000, 1000}, {"", {}, {}},
        {"   ", {}, {}},     {"1,5", {}, {}},
        {"0x10", {}, {}},    {"1e", {}, {}},
        {"1e999", {}, {}},   {"1e-999", {}, {}},
        {"+-1", {}, {}},     {"--1", {}, {}},
        {"+", {}, {}},       {".", {}, {}},
        {"12abc", {}, {}},   {"1 2", {}, {}},
        {"Inf", {}, {}},     {"infinity", {}, {}},
        {"nan(1)", {}, {}},  {"inf", {}, kInf},
        {"-inf", {}, -kInf},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(NumberText::fromText(text), c.plain) << c.text;
        EXPECT_EQ(NumberText::fromText(std::string_view(c.text)), c.plain) << c.text;
        EXPECT_EQ(NumberText::fromText(text, NumberText::Specials::Accept), c.special) << c.text;
        if (c.plain) {
            EXPECT_EQ(std::signbit(*NumberText::fromText(text)), std::signbit(*c.plain)) << c.text;
        }
    }
    const auto nan = NumberText::fromText(QStringLiteral("nan"), NumberText::Specials::Accept);
    ASSERT_TRUE(nan.has_value());
    EXPECT_TRUE(std::isnan(*nan));
    EXPECT_FALSE(NumberText::fromText(QStringLiteral("nan")).has_value());
}

TEST(NumberText, BothOverloadsAgreeOnNonAsciiAndLongTexts) {
    const QString arabicDigits = QStringLiteral("\u0661\u0662");
    EXPECT_FALSE(NumberText::fromText(arabicDigits).has_value());
    EXPECT_FALSE(NumberText::fromText(std::string_view(arabicDigits.toUtf8().constData())));
    const QString fullWidth = QStringLiteral("\uff11");
    EXPECT_FALSE(NumberText::fromText(fullWidth).has_value());

    const QString longest(static_cast<qsizetype>(NumberText::maxLength), u'0');
    const QString tooLong = longest + u'0';
    EXPECT_TRUE(NumberText::fromText(longest).has_value());
    EXPECT_TRUE(NumberText::fromText(std::string_view(longest.toStdString())).has_value());
    EXPECT_FALSE(NumberText::fromText(tooLong).has_value());
    EXPECT_FALSE(NumberText::fromText(std::string_view(tooLong.toStdString())).has_value());
}
} // namespace
