#include "stats/fit/CurveFitter.h"

#include "diagram/objects/TrendlineEquation.h"
#include "stats/fit/CurveEquation.h"
#include "stats/fit/LevenbergMarquardt.h"
#include "stats/fit/MovingAverage.h"
#include "stats/fit/PolynomialLeastSquares.h"

#include <algorithm>
#include <boost/math/special_functions/beta.hpp>
#include <cmath>

namespace {

using Params = std::vector<double>;

struct Data {
    std::vector<double> x, y;
};

bool needsPositiveX(CurveModel m) {
    return m == CurveModel::Logarithmic || m == CurveModel::Power;
}

bool isOneMinusExp(CurveModel m) {
    return m == CurveModel::OneMinusExp || m == CurveModel::HundredOneMinusExp ||
           m == CurveModel::ScaledOneMinusExp;
}

double oneMinusExpFactor(CurveModel m, const Params& p) {
    return m == CurveModel::OneMinusExp ? 1.0 : m == CurveModel::HundredOneMinusExp ? 100.0 : p[1];
}

double valueAt(CurveModel m, const Params& p, double x) {
    switch (m) {
    case CurveModel::Linear:
        return p[0] * x + p[1];
    case CurveModel::Polynomial:
        return PolynomialLeastSquares::valueAt(p, x);
    case CurveModel::Logarithmic:
        return p[0] * std::log(x) + p[1];
    case CurveModel::Exponential:
        return p[0] * std::exp(p[1] * x);
    case CurveModel::Power:
        return p[0] * std::pow(x, p[1]);
    default:
        return oneMinusExpFactor(m, p) * (1 - std::exp(-p[0] * x));
    }
}

// The straight line of v on u: {intercept, slope}, or nullopt.
std::optional<Params> line(const std::vector<double>& u, const std::vector<double>& v,
                           std::optional<QPointF> through = {}) {
    return PolynomialLeastSquares::fit(u, v, 1, through);
}

// a and b of the log-linear fit: ln y on x (Exponential) or on ln x (Power), over y > 0.
Params logLinearStart(CurveModel m, const Data& d) {
    std::vector<double> u, v;
    for (size_t i = 0; i < d.x.size(); ++i)
        if (d.y[i] > 0) {
            u.push_back(m == CurveModel::Power ? std::log(d.x[i]) : d.x[i]);
            v.push_back(std::log(d.y[i]));
        }
    if (const auto l = line(u, v))
        return {std::exp((*l)[0]), (*l)[1]};
    double mean = 0;
    for (double y : d.y)
        mean += y / double(d.y.size());
    return {mean, 0.0};
}

// a of k*(1-exp(-a*x)) from -ln(1 - y/k) = a*x over the rows where that is defined.
double oneMinusExpStart(const Data& d, double k) {
    double xz = 0, xx = 0, absX = 0;
    for (size_t i = 0; i < d.x.size(); ++i) {
        absX += std::abs(d.x[i]) / double(d.x.size());
        const double f = d.y[i] / k;
        if (f > 0 && f < 1 && d.x[i] != 0) {
            xz += d.x[i] * -std::log1p(-f);
            xx += d.x[i] * d.x[i];
        }
    }
    if (xx > 0 && xz > 0)
        return xz / xx;
    return absX > 0 ? 1 / absX : 1.0;
}

std::optional<Params> nonlinear(CurveModel m, const Data& d, std::optional<QPointF> through) {
    using LM = LevenbergMarquardt;
    if (through && (m == CurveModel::Exponential || m == CurveModel::Power)) {
        // One free parameter, b; a follows from the point.
        const double x0 = through->x(), y0 = through->y();
        const bool power = m == CurveModel::Power;
        const LM::Model model = [=](const Params& p, double x, Params& g) {
            const double v = power ? y0 * std::pow(x / x0, p[0]) : y0 * std::exp(p[0] * (x - x0));
            g[0] = v * (power ? std::log(x / x0) : x - x0);
            return v;
        };
        const auto r = LM::minimise(model, d.x, d.y, {logLinearStart(m, d)[1]});
        if (!r)
            return std::nullopt;
        const double b = r->parameters[0];
        return Params{power ? y0 / std::pow(x0, b) : y0 * std::exp(-b * x0), b};
    }
    LM::Model model;
    Params start;
    switch (m) {
    case CurveModel::Exponential:
        model = [](const Params& p, double x, Params& g) {
            const double e = std::exp(p[1] * x);
            g[0] = e;
            g[1] = p[0] * x * e;
            return p[0] * e;
        };
        start = logLinearStart(m, d);
        break;
    case CurveModel::Power:
        model = [](const Params& p, double x, Params& g) {
            const double e = std::pow(x, p[1]);
            g[0] = e;
            g[1] = p[0] * e * std::log(x);
            return p[0] * e;
        };
        start = logLinearStart(m, d);
        break;
    case CurveModel::ScaledOneMinusExp: {
        model = [](const Params& p, double x, Params& g) {
            const double e = std::exp(-p[0] * x);
            g[0] = p[1] * x * e;
            g[1] = 1 - e;
            return p[1] * (1 - e);
        };
        double b = 0;
        for (double y : d.y)
            if (std::abs(y) > std::abs(b))
                b = y;
        b = b == 0 ? 1.0 : 1.05 * b;
        start = {oneMinusExpStart(d, b), b};
        break;
    }
    default: {
        const double k = oneMinusExpFactor(m, {});
        model = [k](const Params& p, double x, Params& g) {
            const double e = std::exp(-p[0] * x);
            g[0] = k * x * e;
            return k * (1 - e);
        };
        start = {oneMinusExpStart(d, k)};
    }
    }
    const auto r = LM::minimise(model, d.x, d.y, start);
    if (!r)
        return std::nullopt;
    return r->parameters;
}

std::optional<Params> parameters(CurveModel m, int order, const Data& d,
                                 std::optional<QPointF> through) {
    switch (m) {
    case CurveModel::Linear:
    case CurveModel::Polynomial: {
        const auto c =
            PolynomialLeastSquares::fit(d.x, d.y, m == CurveModel::Linear ? 1 : order, through);
        if (!c || m == CurveModel::Polynomial)
            return c;
        return Params{(*c)[1], (*c)[0]};
    }
    case CurveModel::Logarithmic: {
        std::vector<double> u;
        for (double x : d.x)
            u.push_back(std::log(x));
        std::optional<QPointF> shifted;
        if (through)
            shifted = QPointF(std::log(through->x()), through->y());
        const auto l = line(u, d.y, shifted);
        if (!l)
            return std::nullopt;
        return Params{(*l)[1], (*l)[0]};
    }
    default:
        return nonlinear(m, d, through);
    }
}

int freeParameters(CurveModel m, int order, bool forced) {
    switch (m) {
    case CurveModel::Polynomial:
        return forced ? order : order + 1;
    case CurveModel::OneMinusExp:
    case CurveModel::HundredOneMinusExp:
        return 1;
    case CurveModel::ScaledOneMinusExp:
        return 2;
    default:
        return forced ? 1 : 2;
    }
}

// Whether a forced point can be honoured: the "1-exp" curves have no parameter to spare and
// pass through the origin anyway; ln and x^b need a positive X.
bool canForce(CurveModel m, QPointF at) {
    if (isOneMinusExp(m))
        return at.x() == 0 && at.y() == 0;
    if (needsPositiveX(m))
        return at.x() > 0;
    return true;
}

CurveFitOutcome movingAverage(const std::vector<QPointF>& points, const CurveFitRequest& r) {
    CurveFitOutcome out;
    auto curve = MovingAverage::running(points, r.period, r.model == CurveModel::MovingAverageX);
    if (curve.empty()) {
        out.error = CurveFitter::periodRefused();
        return out;
    }
    CurveFit fit;
    fit.model = r.model;
    fit.period = r.period;
    fit.curve = std::move(curve);
    fit.rowsUsed = int(points.size());
    out.fit = std::move(fit);
    return out;
}

} // namespace

CurveFitOutcome CurveFitter::fit(const std::vector<QPointF>& points,
                                 const CurveFitRequest& request) {
    const CurveModel m = request.model;
    if (isMovingAverage(m))
        return movingAverage(points, request);
    CurveFitOutcome out;
    Data d;
    int leftOut = 0;
    for (const QPointF& p : points) {
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
            continue;
        if (needsPositiveX(m) && !(p.x() > 0)) {
            ++leftOut;
            continue;
        }
        d.x.push_back(p.x());
        d.y.push_back(p.y());
    }
    if (leftOut)
        out.note = QString::number(leftOut) +
                   QStringLiteral(" rows with X <= 0 left out (Ln(x) and x^b need X > 0)");
    const int n = int(d.x.size());
    if (n == 0) {
        out.error = noValidData();
        return out;
    }
    if (m == CurveModel::Polynomial &&
        (request.order < 1 || request.order > CurveFitRequest::maxOrder || request.order > n - 1)) {
        out.error = orderRefused(std::clamp(n - 1, 0, CurveFitRequest::maxOrder), n);
        return out;
    }
    if (request.through && !canForce(m, *request.through)) {
        out.error = cannotForce();
        return out;
    }
    // The "1-exp" curves meet a forced origin by themselves.
    const std::optional<QPointF> through = isOneMinusExp(m) ? std::nullopt : request.through;
    const auto p = parameters(m, request.order, d, through);
    if (!p) {
        out.error = singular();
        return out;
    }
    CurveFit fit;
    fit.model = m;
    fit.parameters = *p;
    fit.rowsUsed = n;
    double mean = 0;
    for (double y : d.y)
        mean += y / n;
    double ssTot = 0, ssRes = 0;
    for (int i = 0; i < n; ++i) {
        const double r = d.y[size_t(i)] - valueAt(m, *p, d.x[size_t(i)]);
        ssRes += r * r;
        ssTot += (d.y[size_t(i)] - mean) * (d.y[size_t(i)] - mean);
    }
    fit.chiSquare = ssRes;
    if (ssTot > 0)
        fit.rSquared = 1 - ssRes / ssTot;
    // The F test of the fit against the mean alone.
    const int k = freeParameters(m, request.order, through.has_value());
    const double df1 = std::max(1, through ? k : k - 1), df2 = n - k;
    if (ssTot > 0 && df2 > 0 && ssTot >= ssRes) {
        if (ssRes == 0) {
            fit.probability = 0.0;
        } else {
            const double f = ((ssTot - ssRes) / df1) / (ssRes / df2);
            fit.probability = boost::math::ibeta(df2 / 2, df1 / 2, df2 / (df2 + df1 * f));
        }
    }
    fit.equation = CurveEquation::display(m, *p);
    fit.formula = CurveEquation::worksheetFormula(m, *p);
    fit.expression = CurveEquation::expression(m, *p);
    const auto [lo, hi] = std::minmax_element(d.x.begin(), d.x.end());
    if (const auto curve = TrendlineEquation::parse(QStringLiteral("Y=") + fit.expression))
        for (int i = 0; i < curvePoints; ++i) {
            const double x = *lo + (*hi - *lo) * i / (curvePoints - 1);
            if (const double y = curve->valueAt(x); std::isfinite(y))
                fit.curve.emplace_back(x, y);
        }
    out.fit = std::move(fit);
    return out;
}

std::vector<CurveModel> CurveFitter::bestFitModels() {
    return {CurveModel::Linear,
            CurveModel::Polynomial,
            CurveModel::Logarithmic,
            CurveModel::Exponential,
            CurveModel::Power,
            CurveModel::OneMinusExp,
            CurveModel::HundredOneMinusExp,
            CurveModel::ScaledOneMinusExp};
}

CurveFitOutcome CurveFitter::bestFit(const std::vector<QPointF>& points,
                                     const CurveFitRequest& request) {
    CurveFitOutcome best;
    for (CurveModel m : bestFitModels()) {
        CurveFitRequest r = request;
        r.model = m;
        CurveFitOutcome o = fit(points, r);
        if (!o.fit || !o.fit->rSquared)
            continue;
        if (!best.fit || *o.fit->rSquared > *best.fit->rSquared)
            best = std::move(o);
    }
    if (!best.fit)
        best.error = noValidData();
    return best;
}
