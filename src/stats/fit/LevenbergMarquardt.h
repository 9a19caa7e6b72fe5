#pragma once
// Least squares of a model that is not linear in its parameters (chi-square with unit
// weights) by the Levenberg-Marquardt method: the damping factor lambda starts at 0.001, is
// multiplied by 0.1 after a step that lowers chi-square and by 10 after one that does not. It
// stops when an accepted step no longer moves any parameter (relative 1e-12), when no step can
// lower chi-square any more, or after maxIterations.
#include <functional>
#include <optional>
#include <vector>

class LevenbergMarquardt {
public:
    static constexpr int maxIterations = 5000;
    static constexpr double startLambda = 0.001;

    // The model's value at x for the parameters; gradient receives d value / d parameter.
    using Model = std::function<double(const std::vector<double>& parameters, double x,
                                       std::vector<double>& gradient)>;
    struct Result {
        std::vector<double> parameters;
        double chiSquare = 0;
    };
    // nullopt when the start gives no finite chi-square or the damped system stays singular.
    static std::optional<Result> minimise(const Model& model, const std::vector<double>& x,
                                          const std::vector<double>& y, std::vector<double> start);
};
