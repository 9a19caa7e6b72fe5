#pragma once
// The box-and-whisker settings every box plot reads: the box percentiles, the outlier
// coefficient and the two minimum class sizes. One set lives for the whole run (shared());
// nothing stores them. Start-up and "&Reset" set the two minimum counts in opposite order.
class BoxWhiskerSettings {
public:
    double upperPercentile = 75;
    double lowerPercentile = 25;
    double outlierCoefficient = 1.5;
    int minimumClassSize = 10;
    int minimumFullBoxSize = 5;

    // The values "&Reset" puts into the options dialog.
    static BoxWhiskerSettings resetValues();
    // Whole percentiles with 0 <= lower < upper <= 100.
    static bool acceptsPercentiles(double lower, double upper);

    static BoxWhiskerSettings& shared();
};
