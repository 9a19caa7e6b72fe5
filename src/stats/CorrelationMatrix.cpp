#include "stats/CorrelationMatrix.h"

CorrelationMatrix::CorrelationMatrix(const std::vector<Column>& columns)
    : size_(int(columns.size()))
    , cells_(columns.size() * columns.size()) {
    std::vector<PearsonCorrelation::Prepared> prepared;
    prepared.reserve(columns.size());
    for (const Column& c : columns)
        prepared.push_back(PearsonCorrelation::prepare(c));
    for (int i = 0; i < size_; ++i) {
        PearsonResult& diagonal = cells_[size_t(i) * size_ + i];
        diagonal.r = 1.0;
        for (double present : prepared[i].present)
            diagonal.n += present > 0 ? 1 : 0;
        for (int j = i + 1; j < size_; ++j) {
            const PearsonResult r = PearsonCorrelation::pairwise(prepared[i], prepared[j]);
            cells_[size_t(i) * size_ + j] = r;
            cells_[size_t(j) * size_ + i] = r;
        }
    }
}
