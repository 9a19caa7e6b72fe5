#pragma once
// Rounds a number to n decimals as the person reads it: on its shortest decimal form, halves
// upwards (2.675 gives 2.68, 1.005 gives 1.01, -1.25 to one decimal gives -1.2), and returns
// the double nearest to the rounded decimal, so a DOUBLE column receives exactly "2.68".
class DecimalRounding {
public:
    static double round(double value, int decimals);
};
