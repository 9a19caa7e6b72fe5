#include "stats/model/StepwiseLinearModel.h"

#include "platform/NumberText.h"
#include "platform/Status.h"
#include "stats/TwoColumnRegression.h"

#include <cmath>

double StepwiseLinearModel::variance(const std::vector<double>& values, double* mean) {
    double sum = 0;
    int n = 0;
    for (double v : values)
        if (!std::isnan(v)) {
            sum += v;
            ++n;
        }
    const double m = n ? sum / n : 0;
    if (mean)
        *mean = m;
    if (n < 2)
        return 0;
    double ss = 0;
    for (double v : values)
        if (!std::isnan(v))
            ss += (v - m) * (v - m);
    return ss / (n - 1);
}

double LinearModel::modeledAt(const std::vector<std::vector<double>>& columns, size_t row) const {
    double sum = 0;
    for (const LinearModelStep& s : steps) {
        const double x = columns[size_t(s.variable)][row];
        if (std::isnan(x))
            return NAN;
        sum += s.slope * x + s.intercept;
    }
    return sum;
}

LinearModel StepwiseLinearModel::run(const std::vector<double>& item,
                                     const std::vector<std::vector<double>>& columns,
                                     const QStringList& variables,
                                     const LinearModelOptions& options, Status& status) {
    LinearModel model;
    model.variables = variables;
    model.residual = item;
    model.rows = int(item.size());
    model.variance = variance(item, &model.average);
    std::vector<bool> used(columns.size(), false);
    double before = model.variance;
    for (int k = 1;; ++k) {
        status.showStatus(QStringLiteral("Analyzing variable ") + QString::number(k), 1);
        int best = -1;
        TwoColumnRegression bestFit;
        for (size_t v = 0; v < columns.size(); ++v) {
            if (used[v])
                continue;
            const TwoColumnRegression fit = TwoColumnRegression::of(model.residual, columns[v]);
            const double r = fit.r.value_or(0);
            if (best < 0 || std::abs(r) > std::abs(bestFit.r.value_or(0))) {
                best = int(v);
                bestFit = fit;
            }
            if (options.fixedOrder)
                break;
        }
        if (best < 0)
            break;
        const double r = bestFit.r.value_or(0);
        const bool limited = !options.useAll && (std::abs(r) < options.rMin || k > options.maxVars);
        if (limited)
            break;
        used[size_t(best)] = true;
        status.showStatus(QStringLiteral("Found ") + variables.value(best) + QStringLiteral(" R=") +
                              NumberText::toDisplayText(r),
                          1);
        if (!bestFit.fitted)
            continue; // no line through a variable without spread
        const std::vector<double>& x = columns[size_t(best)];
        for (size_t i = 0; i < model.residual.size(); ++i)
            model.residual[i] =
                std::isnan(x[i]) ? NAN
                                 : model.residual[i] - (bestFit.slope * x[i] + bestFit.intercept);
        LinearModelStep step;
        step.variable = best;
        step.r = r;
        step.slope = bestFit.slope;
        step.intercept = bestFit.intercept;
        step.varianceAfter = variance(model.residual);
        step.explains = before - step.varianceAfter;
        if (model.variance > 0) {
            step.percentVariance = 100 * step.explains / model.variance;
            step.modeled = 100 * (1 - step.varianceAfter / model.variance);
        }
        before = step.varianceAfter;
        model.steps.push_back(step);
    }
    return model;
}
