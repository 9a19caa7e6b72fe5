// The two-sample tests and Pearson's r against values R 4.2.2 printed for the same data
// (t.test pooled/Welch/paired, var.test, ks.test(exact = FALSE), cor(use = "pairwise")).
#include "stats/TwoSampleTests.h"
#include "stats/PearsonCorrelation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {
using Values = TwoSampleTests::Values;
using TestFn = std::function<std::optional<TwoSampleTestResult>(const Values&, const Values&)>;

const Values x{12.1, 14.3, 11.8, 15.2, 13.9, 12.7, 16.4, 13.1, 14.8, 12.2};
const Values y{13.4, 15.9, 12.2, 17.8, 15.1, 13.0, 18.9, 14.6, 16.2, 13.3};

void expectRelative(double actual, double expected, double tolerance, const char* what) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * tolerance) << what;
}
} // namespace

TEST(TwoSampleTestsTest, StatisticsAndProbabilitiesEqualR) {
    struct Case {
        const char* name;
        TestFn test;
        Values a, b;
        double df, df2, statistic;
        std::optional<double> p;
    };
    // R prints seven digits, so the reference holds to about 5e-7 of its value.
    const Case cases[] = {
        {"pooled", TwoSampleTests::pooledT, x, y, 18, 0, -1.652876, 0.1156913},
        {"welch", TwoSampleTests::welchT, x, y, 16.10409, 0, -1.652876, 0.1177156},
        // The larger variance (y's) goes on top whichever sample it is.
        {"F", TwoSampleTests::fTest, x, y, 9, 9, 2.044678, 0.30159},
        {"F swapped", TwoSampleTests::fTest, y, x, 9, 9, 2.044678, 0.30159},
        {"paired", TwoSampleTests::pairedT, x, y, 9, 0, -5.868585, 0.0002381835},
        {"KS", TwoSampleTests::kolmogorovSmirnov, x, y, 0, 0, 0.3, 0.7590978},
        // Ties (common at detection limits): D is taken after every copy of a value, 1/3
        // rather than the 2/3 found by stepping one value at a time.
        {"KS ties", TwoSampleTests::kolmogorovSmirnov, {1, 1, 2}, {1, 2, 2}, 0, 0, 1.0 / 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = c.test(c.a, c.b);
        ASSERT_TRUE(r);
        expectRelative(r->degreesOfFreedom, c.df, 5e-7, "df");
        expectRelative(r->degreesOfFreedom2, c.df2, 5e-7, "df2");
        expectRelative(r->statistic, c.statistic, 5e-7, "statistic");
        if (c.p)
            expectRelative(r->p, *c.p, 5e-7, "p");
    }
}

TEST(TwoSampleTestsTest, DegenerateSamplesCannotBeCalculatedAndIdenticalOnesDoNotDiffer) {
    // The mean of three 0.1 rounds above 0.1, which must not read as spread.
    const Values constant{0.1, 0.1, 0.1};
    const TestFn tests[] = {TwoSampleTests::pooledT, TwoSampleTests::welchT, TwoSampleTests::fTest,
                            TwoSampleTests::pairedT};
    for (const TestFn& test : tests) {
        EXPECT_FALSE(test(constant, constant)); // no spread: would divide by zero
        EXPECT_FALSE(test({1}, {2, 3}));        // n < 2
    }
    EXPECT_FALSE(TwoSampleTests::pairedT(x, x));               // identical pairs: no spread
    EXPECT_FALSE(TwoSampleTests::pairedT(x, Values{1, 2, 3})); // unequal sizes
    EXPECT_FALSE(TwoSampleTests::kolmogorovSmirnov({}, x));

    for (const TestFn& test : {TestFn(TwoSampleTests::pooledT), TestFn(TwoSampleTests::welchT)}) {
        const auto same = test(x, x);
        ASSERT_TRUE(same);
        EXPECT_EQ(same->statistic, 0);
        EXPECT_EQ(same->p, 1);
    }
    const auto f = TwoSampleTests::fTest(x, x);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->statistic, 1);
    EXPECT_DOUBLE_EQ(f->p, 1);
    const auto ks = TwoSampleTests::kolmogorovSmirnov(x, x);
    EXPECT_EQ(ks->statistic, 0);
    EXPECT_EQ(ks->p, 1);
}

TEST(TwoSampleTestsTest, VerdictsFollowTheThresholdsWithTheEdgeNotSignificant) {
    const std::pair<double, const char*> cases[] = {
        {1, "Difference is not statistically significant"},
        {0.05, "Difference is not statistically significant"},
        {0.0499, "Difference is statistically almost significant"},
        {0.01, "Difference is statistically almost significant"},
        {0.0099, "Difference is statistically significant"},
        {0.001, "Difference is statistically significant"},
        {0.000999, "Difference is statistically very significant"},
    };
    for (const auto& [p, verdict] : cases)
        EXPECT_EQ(TwoSampleTests::verdict(p), QString::fromLatin1(verdict)) << p;
}

TEST(PearsonCorrelationTest, PairwiseDeletionClampingAndNoSpread) {
    const double na = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::vector<double> a, b;
        std::optional<double> r;
        long long n;
    };
    const Case cases[] = {
        // sqrt(0.6) exactly: Sxy 6, Sxx 10, Syy 6.
        {"plain", {1, 2, 3, 4, 5}, {2, 4, 5, 4, 5}, std::sqrt(0.6), 5},
        // A missing value on either side drops the row for this pair only.
        {"pairwise", {1, 2, na, 3, 4, 5, 9}, {2, 4, 7, 5, 4, 5, na}, std::sqrt(0.6), 5},
        // Exactly linear with large offsets: rounding must not push r past 1.
        {"linear", {1e8 + 0.1, 1e8 + 0.2, 1e8 + 0.3}, {-0.3, -0.6, -0.9}, -1.0, 3},
        {"constant", {1, 2, 3}, {4, 4, 4}, std::nullopt, 3},
        // The mean of three 0.1 rounds above 0.1: the rounding must not read as spread.
        {"constant, mean rounded", {1, 2, 3}, {0.1, 0.1, 0.1}, std::nullopt, 3},
        {"constant over the used rows", {1, 2, 3, na}, {0.1, 0.1, 0.1, 5}, std::nullopt, 3},
        {"no pair", {1, na}, {na, 2}, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PearsonResult r = PearsonCorrelation::pairwise(c.a, c.b);
        EXPECT_EQ(r.n, c.n);
        ASSERT_EQ(r.r.has_value(), c.r.has_value());
        if (c.r) {
            EXPECT_NEAR(*r.r, *c.r, 1e-12);
            EXPECT_LE(std::abs(*r.r), 1.0);
        }
    }
}
