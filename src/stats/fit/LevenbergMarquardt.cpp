#include "stats/fit/LevenbergMarquardt.h"

#include <Eigen/Dense>
#include <cmath>

namespace {

struct Linearised {
    double chiSquare = 0;
    Eigen::MatrixXd alpha; // J'J
    Eigen::VectorXd beta;  // J'r
};

bool linearise(const LevenbergMarquardt::Model& model, const std::vector<double>& x,
               const std::vector<double>& y, const std::vector<double>& p, Linearised& out) {
    const Eigen::Index m = Eigen::Index(p.size());
    out.alpha = Eigen::MatrixXd::Zero(m, m);
    out.beta = Eigen::VectorXd::Zero(m);
    out.chiSquare = 0;
    std::vector<double> gradient(p.size());
    Eigen::VectorXd g(m);
    for (size_t i = 0; i < x.size(); ++i) {
        const double r = y[i] - model(p, x[i], gradient);
        for (Eigen::Index k = 0; k < m; ++k)
            g(k) = gradient[size_t(k)];
        out.alpha.noalias() += g * g.transpose();
        out.beta += r * g;
        out.chiSquare += r * r;
    }
    return std::isfinite(out.chiSquare) && out.alpha.allFinite() && out.beta.allFinite();
}

} // namespace

std::optional<LevenbergMarquardt::Result> LevenbergMarquardt::minimise(const Model& model,
                                                                       const std::vector<double>& x,
                                                                       const std::vector<double>& y,
                                                                       std::vector<double> start) {
    Linearised at;
    if (!linearise(model, x, y, start, at))
        return std::nullopt;
    double lambda = startLambda;
    std::vector<double> p = std::move(start);
    const Eigen::Index m = Eigen::Index(p.size());
    for (int iteration = 0; iteration < maxIterations; ++iteration) {
        Eigen::MatrixXd damped = at.alpha;
        for (Eigen::Index k = 0; k < m; ++k)
            damped(k, k) *= 1.0 + lambda;
        Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(damped);
        if (qr.rank() < m)
            return std::nullopt;
        const Eigen::VectorXd step = qr.solve(at.beta);
        std::vector<double> trial = p;
        double largestMove = 0;
        for (Eigen::Index k = 0; k < m; ++k) {
            trial[size_t(k)] += step(k);
            largestMove =
                std::max(largestMove, std::abs(step(k)) / std::max(std::abs(p[size_t(k)]), 1e-300));
        }
        Linearised next;
        if (linearise(model, x, y, trial, next) && next.chiSquare < at.chiSquare) {
            p = std::move(trial);
            at = std::move(next);
            lambda *= 0.1;
            if (largestMove < 1e-12)
                break;
        } else {
            lambda *= 10;
            // No step, however short, lowers chi-square: the minimum as far as doubles go.
            if (lambda > 1e20 || largestMove < 1e-15)
                break;
        }
    }
    return Result{std::move(p), at.chiSquare};
}
