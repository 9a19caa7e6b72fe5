#pragma once
// A chain of simple regressions: the residual (at first the modeled item) is regressed on each
// variable not yet used, the best one (largest |r|, or the next in list order) is taken, its
// line a*x + b removed from the residual, and so on until |r| < Rmin, Max Vars is reached or
// no variable is left. "Use all" takes every variable whatever its r. A row whose x is missing
// gets a missing residual, never a residual of 0.
#include <QString>
#include <QStringList>
#include <vector>

class Status;

struct LinearModelOptions {
    bool useAll = false;     // "Use all"
    bool fixedOrder = false; // "Use the order given above"
    int maxVars = 10;        // "Max Vars"
    double rMin = 0.30;      // "Rmin"
};

struct LinearModelStep {
    int variable = 0; // 0-based in the variable list
    double r = 0;
    double slope = 0;
    double intercept = 0;
    double varianceAfter = 0;   // "VAR": what is left unexplained
    double explains = 0;        // the variance this step removed
    double percentVariance = 0; // that as per cent of the item's variance
    double modeled = 0;         // the share of the item's variance modeled so far, per cent
};

struct LinearModel {
    QStringList variables;
    std::vector<LinearModelStep> steps;
    double average = 0;
    double variance = 0;
    int rows = 0;
    std::vector<double> residual; // per row, NaN where missing

    // Sum of a*x + b over the steps for one row; NaN when any used x is missing.
    double modeledAt(const std::vector<std::vector<double>>& columns, size_t row) const;
};

class StepwiseLinearModel {
public:
    // item: the observed values (NaN missing); columns: one per variable, same rows. The
    // status shows "Analyzing variable k" and "Found name R=r".
    static LinearModel run(const std::vector<double>& item,
                           const std::vector<std::vector<double>>& columns,
                           const QStringList& variables, const LinearModelOptions& options,
                           Status& status);
    // Sample variance over the values that are not NaN; 0 for fewer than two.
    static double variance(const std::vector<double>& values, double* mean = nullptr);
};
