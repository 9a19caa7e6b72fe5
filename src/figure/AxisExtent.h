#pragma once
// The data extent along one axis: the smallest and largest value, and for a logarithmic scale
// the smallest positive value and how many values a log scale cannot show (zero or negative).
// An axis without data reports the sentinel ends the chart reports: 1E+308. Plain value type.
#include <QtGlobal>

struct AxisExtent {
    static constexpr double emptyEnd = 1e308;

    double min = emptyEnd;
    double max = emptyEnd;
    double minPositive = emptyEnd;
    qsizetype count = 0;
    qsizetype nonPositive = 0;

    bool isEmpty() const { return count == 0; }
    bool hasPositive() const { return minPositive != emptyEnd; }
    void add(double value) {
        if (!(value == value) || value >= emptyEnd || value <= -emptyEnd) {
            return; // NaN and infinities have no place on an axis
        }
        if (count == 0) {
            min = max = value;
        } else {
            min = value < min ? value : min;
            max = value > max ? value : max;
        }
        ++count;
        if (value > 0) {
            minPositive = value < minPositive ? value : minPositive;
        } else {
            ++nonPositive;
        }
    }
};
