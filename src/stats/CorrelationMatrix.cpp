#include "stats/CorrelationMatrix.h"

#include <cmath>

CorrelationMatrix::CorrelationMatrix(const std::vector<Column>& columns)
    : size_(int(columns.size()))
    , cells_(columns.size() * columns.size()) {
    for (int i = 0; i < size_; ++i) {
        PearsonResult& diagonal = cells_[size_t(i) * size_ + i];
        diagonal.r = 1.0;
        for (double v : columns[i])
            diagonal.n += std::isnan(v) ? 0 : 1;
        for (int j = i + 1; j < size_; ++j) {
            const PearsonResult r = PearsonCorrelation::pairwise(columns[i], columns[j]);
            cells_[size_t(i) * size_ + j] = r;
            cells_[size_t(j) * size_ + i] = r;
        }
    }
}
