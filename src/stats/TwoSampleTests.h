#pragma once
// Tests of difference between two samples: Student's t with pooled variance, Welch's t, the F
// test of variances (larger variance on top), the paired t and the two-sample
// Kolmogorov-Smirnov test with its asymptotic p-value. Probabilities come from Boost.Math's
// regularized incomplete beta so they agree with R's t.test, var.test and ks.test(exact=FALSE).
// A test that cannot be computed (too few values, no spread, unequal sizes for pairing) is
// nullopt.
#include <QString>
#include <optional>
#include <vector>

struct TwoSampleTestResult {
    double degreesOfFreedom = 0;
    double degreesOfFreedom2 = 0; // the F test's denominator; 0 for the others
    double statistic = 0;         // t, F or D
    double p = 1;                 // two-sided, as a fraction
};

class TwoSampleTests {
public:
    using Values = std::vector<double>;
    static std::optional<TwoSampleTestResult> pooledT(const Values& a, const Values& b);
    static std::optional<TwoSampleTestResult> welchT(const Values& a, const Values& b);
    static std::optional<TwoSampleTestResult> fTest(const Values& a, const Values& b);
    // Pairs in order; needs equal sizes.
    static std::optional<TwoSampleTestResult> pairedT(const Values& a, const Values& b);
    static std::optional<TwoSampleTestResult> kolmogorovSmirnov(const Values& a, const Values& b);

    // Two-sided p of Student's t; nullopt for df <= 0.
    static std::optional<double> studentP(double t, double df);
    // The Kolmogorov distribution's upper tail P(K > lambda); 1 at 0.
    static double kolmogorovTail(double lambda);
    // The verdict sentence for p; the thresholds are compared in single precision so that
    // p = 0.05 exactly is not significant.
    static QString verdict(double p);
};
