#pragma once
// Pearson's product-moment correlation of two columns with pairwise deletion: only the rows
// where both values are numbers (not NaN) enter, as R's cor(use = "pairwise.complete.obs").
// Two passes (means first) so large offsets keep their precision; r is clamped to [-1, 1]
// against rounding and left out when either column has no spread over the used rows.
#include <optional>
#include <vector>

struct PearsonResult {
    std::optional<double> r;
    long long n = 0; // rows used
};

class PearsonCorrelation {
public:
    static PearsonResult pairwise(const std::vector<double>& x, const std::vector<double>& y);
};
