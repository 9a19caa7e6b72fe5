#pragma once
// The Pearson coefficients of every pair of columns and the number of rows each used, pairwise
// deletion (a row enters a pair when both of its values are numbers). Columns are given as
// numbers, NaN for a cell that is not one. The matrix is symmetric: each pair is computed once.
#include "stats/PearsonCorrelation.h"

#include <vector>

class CorrelationMatrix {
public:
    using Column = std::vector<double>;

    explicit CorrelationMatrix(const std::vector<Column>& columns);

    int size() const { return size_; }
    // 0-based; the diagonal is r = 1 with the column's count of numbers.
    const PearsonResult& at(int i, int j) const { return cells_[size_t(i) * size_ + j]; }

private:
    int size_ = 0;
    std::vector<PearsonResult> cells_;
};
