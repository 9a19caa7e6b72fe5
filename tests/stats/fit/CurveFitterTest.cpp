// Curve fits against R 4.2: lm(y~x), lm(y~poly(x,k,raw=TRUE)), lm(y~log(x)), nls() of the
// curves that are not linear in their parameters (started from the log-linear fit), and the
// forced fits as lm(I(y-y0)~0+I(x-x0)) with R squared on the original y.
#include "stats/fit/CurveFitter.h"
#include "diagram/objects/TrendlineEquation.h"
#include "stats/fit/CurveEquation.h"
#include "stats/fit/MovingAverage.h"

#include <gtest/gtest.h>

namespace {

const std::vector<double> xs{0.5, 1.1, 1.9, 3.2, 4.1, 5.3, 6.0, 7.4, 8.2, 9.7};
const std::vector<double> growth{1.8, 2.9, 4.2, 7.5, 9.8, 15.1, 19.7, 31.0, 39.5, 65.2};
const std::vector<double> powerY{0.85, 2.3, 5.36, 10.55, 15.24, 21.99, 25.6, 34.71, 39.65, 50.75};
const std::vector<double> share{0.12, 0.25, 0.38, 0.52, 0.61, 0.70, 0.75, 0.82, 0.86, 0.91};

std::vector<QPointF> points(const std::vector<double>& x, const std::vector<double>& y,
                            double factor = 1) {
    std::vector<QPointF> out;
    for (size_t i = 0; i < x.size(); ++i)
        out.emplace_back(x[i], factor * y[i]);
    return out;
}

CurveFitRequest ask(CurveModel model, int order = 2, int period = 2,
                    std::optional<QPointF> through = std::nullopt) {
    return {model, order, period, through};
}

void expectRelative(double expected, double actual, const char* what) {
    EXPECT_NEAR(actual, expected, 1e-6 * std::abs(expected)) << what;
}

TEST(CurveFitterTest, EqualsR) {
    // ppm-sized X with a cubic: normal equations on x^3 near 1e12 would lose the fit.
    const std::vector<double> ppmX{12003, 12038, 12078, 12112, 12153, 12194,
                                   12224, 12265, 12301, 12336, 12375, 12415};
    const std::vector<double> ppmY{0.51301827, 0.52143672, 0.60991352, 0.65113728,
                                   0.72563377, 0.86228584, 0.92174624, 1.09654625,
                                   1.25491101, 1.45112256, 1.67859375, 1.97618375};
    const struct {
        const char* name;
        CurveModel model;
        int order;
        std::optional<QPointF> through;
        std::vector<QPointF> data;
        std::vector<double> parameters;
        double rSquared;
    } cases[] = {
        {"linear",
         CurveModel::Linear,
         0,
         {},
         points(xs, growth),
         {6.0241714598740073, -8.8845727198027884},
         0.85923627243135159},
        {"poly 2",
         CurveModel::Polynomial,
         2,
         {},
         points(xs, growth),
         {5.1674939238194204, -2.9137473443701096, 0.90661762691306114},
         0.9903805191747137},
        {"poly 5",
         CurveModel::Polynomial,
         5,
         {},
         points(xs, growth),
         {0.35117488241843886, 3.3058712107925001, -1.2094576282801819, 0.36998453774437173,
          -0.03990495051647356, 0.0018882526915876884},
         0.99988411009504463},
        {"poly 3 ppm",
         CurveModel::Polynomial,
         3,
         {},
         points(ppmX, ppmY),
         {-15872.565243509463, 3.9950318995878873, -0.0003352281655719423, 9.3782062533201988e-09},
         0.99937530488270321},
        {"log",
         CurveModel::Logarithmic,
         0,
         {},
         points(xs, growth),
         {15.994366555871359, -0.25156093990479833},
         0.57505808151035531},
        {"exp",
         CurveModel::Exponential,
         0,
         {},
         points(xs, growth),
         {2.5512479324753565, 0.33453929203548455},
         0.99902755325069603},
        {"power",
         CurveModel::Power,
         0,
         {},
         points(xs, powerY),
         {2.1041844253564324, 1.3992999294158561},
         0.99986056983320093},
        {"1-exp",
         CurveModel::OneMinusExp,
         0,
         {},
         points(xs, share),
         {0.23545209597707412},
         0.99770138481754056},
        {"100*(1-exp)",
         CurveModel::HundredOneMinusExp,
         0,
         {},
         points(xs, share, 100),
         {0.23545209596478581},
         0.99770138481754056},
        {"b*(1-exp)",
         CurveModel::ScaledOneMinusExp,
         0,
         {},
         points(xs, share, 3.2),
         {0.23634751519247457, 3.194167680807241},
         0.99770360890829957},
        {"linear through origin",
         CurveModel::Linear,
         0,
         QPointF(0, 0),
         points(xs, growth),
         {4.6756964457252641, 0},
         0.79939248626933557},
        {"linear through (2,5)",
         CurveModel::Linear,
         0,
         QPointF(2, 5),
         points(xs, growth),
         {5.7149354640442533, 5 - 2 * 5.7149354640442533},
         0.85432962939841284},
        // y - 5 = 0.394*(x-2) + 0.903*(x-2)^2, in plain powers of x.
        {"poly 2 through (2,5)",
         CurveModel::Polynomial,
         2,
         QPointF(2, 5),
         points(xs, growth),
         {5 - 2 * 0.39404464965340225 + 4 * 0.9025830639979644,
          0.39404464965340225 - 4 * 0.9025830639979644, 0.9025830639979644},
         0.98436540155812258},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CurveFitOutcome o = CurveFitter::fit(c.data, {c.model, c.order, 2, c.through});
        ASSERT_TRUE(o.fit) << o.error.toStdString();
        ASSERT_EQ(o.fit->parameters.size(), c.parameters.size());
        for (size_t i = 0; i < c.parameters.size(); ++i)
            if (c.parameters[i] == 0)
                EXPECT_NEAR(o.fit->parameters[i], 0, 1e-9);
            else
                expectRelative(c.parameters[i], o.fit->parameters[i], "parameter");
        ASSERT_TRUE(o.fit->rSquared);
        expectRelative(c.rSquared, *o.fit->rSquared, "R squared");
        // 100 curve points from the smallest to the largest X; a forced curve meets its point.
        ASSERT_EQ(o.fit->curve.size(), size_t(CurveFitter::curvePoints));
        EXPECT_EQ(o.fit->curve.front().x(), c.data.front().x());
        EXPECT_EQ(o.fit->curve.back().x(), c.data.back().x());
        const auto eq = TrendlineEquation::parse(QStringLiteral("Y=") + o.fit->expression);
        ASSERT_TRUE(eq) << o.fit->expression.toStdString();
        if (c.through) {
            EXPECT_NEAR(eq->valueAt(c.through->x()), c.through->y(), 1e-9);
        }
    }
}

TEST(CurveFitterTest, LinearProbabilityAndChiSquareEqualR) {
    // summary(lm(y~x)): F = 48.83 on 1 and 8 df; deviance = residual sum of squares.
    const CurveFitOutcome o = CurveFitter::fit(points(xs, growth), ask(CurveModel::Linear));
    ASSERT_TRUE(o.fit);
    expectRelative(0.0001139911309412485, *o.fit->probability, "probability");
    expectRelative(520.94980484798691, o.fit->chiSquare, "chi-square");
}

TEST(CurveFitterTest, RefusalsAndEdgeCases) {
    const auto fit = [](std::vector<QPointF> data, CurveFitRequest r) {
        return CurveFitter::fit(data, r);
    };
    const auto ten = points(xs, growth);
    // 10 rows: order 9 fits, order 10 is refused however many rows there are.
    EXPECT_TRUE(fit(ten, ask(CurveModel::Polynomial, 9)).fit);
    EXPECT_EQ(fit(ten, ask(CurveModel::Polynomial, 10)).error, CurveFitter::orderRefused(9, 10));
    const std::vector<QPointF> four{{1, 2}, {2, 3}, {3, 5}, {4, 4}};
    EXPECT_EQ(fit(four, ask(CurveModel::Polynomial, 4)).error,
              QStringLiteral("3 degree is the highest degree, which can be fitted with current "
                             "data. (only 4 rows data)"));
    // Three distinct X cannot carry a cubic; one X cannot carry a line.
    const std::vector<QPointF> threeX{{1, 2}, {2, 3}, {3, 5}, {3, 6}, {1, 1}};
    EXPECT_EQ(fit(threeX, ask(CurveModel::Polynomial, 3)).error, QStringLiteral("Singular matrix"));
    EXPECT_EQ(fit({{2, 1}, {2, 3}}, ask(CurveModel::Linear)).error, CurveFitter::singular());
    // ln(x) leaves out X <= 0, says how many, and fits the rest as R did.
    auto withNonPositive = ten;
    withNonPositive.insert(withNonPositive.begin(), {{0, 7}, {-1, 3}});
    const CurveFitOutcome log = fit(withNonPositive, ask(CurveModel::Logarithmic));
    ASSERT_TRUE(log.fit);
    EXPECT_TRUE(log.note.startsWith(QStringLiteral("2 rows"))) << log.note.toStdString();
    expectRelative(15.994366555871359, log.fit->parameters[0], "log a");
    EXPECT_EQ(fit({{-1, 3}, {0, 2}}, ask(CurveModel::Power)).error, CurveFitter::noValidData());
    // A constant Y has no R squared (not 1, not NaN).
    const CurveFitOutcome flat = fit({{1, 4}, {2, 4}, {3, 4}}, ask(CurveModel::Linear));
    ASSERT_TRUE(flat.fit);
    EXPECT_FALSE(flat.fit->rSquared);
    // Two points: R squared 1 and the line through both.
    const CurveFitOutcome two = fit({{1, 3}, {4, 9}}, ask(CurveModel::Linear));
    ASSERT_TRUE(two.fit);
    EXPECT_DOUBLE_EQ(*two.fit->rSquared, 1);
    EXPECT_EQ(two.fit->equation, QStringLiteral("y=2*x+1"));
    // The "1-exp" curves pass the origin by themselves and nothing else.
    EXPECT_TRUE(fit(points(xs, share), ask(CurveModel::OneMinusExp, 2, 2, QPointF(0, 0))).fit);
    EXPECT_EQ(fit(points(xs, share), ask(CurveModel::OneMinusExp, 2, 2, QPointF(1, 0.5))).error,
              CurveFitter::cannotForce());
    EXPECT_EQ(fit(ten, ask(CurveModel::Power, 2, 2, QPointF(0, 0))).error,
              CurveFitter::cannotForce());
}

TEST(CurveFitterTest, BestFitTriesTheModelSetOnly) {
    // Polynomial order 2 (0.9904) loses to the exponential (0.9990); a cubic (0.9995) would
    // win, but best fit keeps the window's order.
    const CurveFitOutcome best =
        CurveFitter::bestFit(points(xs, growth), ask(CurveModel::Linear, 2));
    ASSERT_TRUE(best.fit);
    EXPECT_EQ(best.fit->model, CurveModel::Exponential);
    const CurveFitOutcome cubic =
        CurveFitter::bestFit(points(xs, growth), ask(CurveModel::Linear, 3));
    ASSERT_TRUE(cubic.fit);
    EXPECT_EQ(cubic.fit->model, CurveModel::Polynomial);
}

TEST(CurveFitterTest, EquationTexts) {
    const struct {
        CurveModel model;
        std::vector<double> p;
        const char* display;
        const char* worksheet;
    } cases[] = {
        {CurveModel::Linear, {2, -3.5}, "y=2*x-3.5", "=2*(H1)-3.5"},
        {CurveModel::Polynomial, {1, -2, 0.5}, "y=0.5*x^2-2*x+1", "=0.5*(H1)^2-2*(H1)+1"},
        {CurveModel::Logarithmic, {1.5, 2}, "y=1.5*Ln(x)+2", "=1.5*LN(H1)+2"},
        {CurveModel::Exponential, {2, -0.25}, "y=2*EXP(-0.25*x)", "=2*EXP(-0.25*H1)"},
        {CurveModel::Power, {3, 1.25}, "y=3*x^1.25", "=3*(H1)^1.25"},
        {CurveModel::OneMinusExp, {0.2}, "y=1*(1-EXP(-0.2*x))", "=1*(1-EXP(-0.2*H1))"},
        {CurveModel::HundredOneMinusExp, {0.2}, "y=100*(1-EXP(-0.2*x))", "=100*(1-EXP(-0.2*H1))"},
        {CurveModel::ScaledOneMinusExp, {0.2, 3}, "y=3*(1-EXP(-0.2*x))", "=3*(1-EXP(-0.2*H1))"},
        // Ten significant digits for the eye, every digit in the formula.
        {CurveModel::Linear, {1.0 / 3, 0}, "y=0.3333333333*x+0", "=0.3333333333333333*(H1)+0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CurveEquation::display(c.model, c.p), QString::fromLatin1(c.display));
        EXPECT_EQ(CurveEquation::worksheetFormula(c.model, c.p), QString::fromLatin1(c.worksheet));
    }
}

TEST(CurveFitterTest, MovingAverages) {
    const std::vector<QPointF> data{{3, 30}, {1, 10}, {2, 40}, {4, 0}};
    EXPECT_EQ(MovingAverage::running(data, 2, false),
              (std::vector<QPointF>{{2, 25}, {3, 35}, {4, 15}}));
    // In X: rising Y (0, 10, 30, 40) with the mean X of each pair.
    EXPECT_EQ(MovingAverage::running(data, 3, true),
              (std::vector<QPointF>{{8.0 / 3, 30}, {2, 40}}));
    EXPECT_EQ(CurveFitter::fit(data, ask(CurveModel::MovingAverageY, 2, 5)).error,
              CurveFitter::periodRefused());
}

} // namespace
