#pragma once
// Pearson's product-moment correlation of two columns with pairwise deletion: only the rows
// where both values are numbers (not NaN) enter, as R's cor(use = "pairwise.complete.obs").
// Two passes (means first) with the mean's rounding corrected afterwards, so large offsets keep
// their precision and a column that is constant over the used rows has no spread; r is clamped
// to [-1, 1] against rounding and left out when either column has no spread.
//
// A matrix correlates each column with many others: prepared once, a column is its values
// with 0 for a missing one and a 1/0 presence mask, so that the pair loops run without branches.
#include <optional>
#include <vector>

struct PearsonResult {
    std::optional<double> r;
    long long n = 0; // rows used
};

class PearsonCorrelation {
public:
    struct Prepared {
        std::vector<double> values;  // 0 where missing
        std::vector<double> present; // 1 or 0
    };
    static Prepared prepare(const std::vector<double>& column);

    static PearsonResult pairwise(const Prepared& x, const Prepared& y);
    static PearsonResult pairwise(const std::vector<double>& x, const std::vector<double>& y) {
        return pairwise(prepare(x), prepare(y));
    }
};
