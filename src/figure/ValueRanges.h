#pragma once
// Value ranges for classify option 2: bounds at multiples of a 1-2-5 step that cuts the span of
// the numbers into at most ten ranges. A range holds lo <= v < hi; the last range also holds its
// upper bound. A range is named "lo - hi"; a single value is a range of its own, named by it.
#include <QString>
#include <vector>

class ValueRanges {
public:
    ValueRanges(double min, double max);

    int count() const { return int(bounds_.size()) - 1; }
    // The range of a value within min..max; values outside are clamped to the end ranges.
    int indexOf(double value) const;
    QString name(int index) const;

    static constexpr int maxRanges = 10;

private:
    std::vector<double> bounds_;
};
