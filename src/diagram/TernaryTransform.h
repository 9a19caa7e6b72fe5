#pragma once
// Plane coordinates of three-component samples: A at (0, 0), B at (50, 100), C at (100, 0),
// each sample normalised to 100. A sample whose sum is 0 has no place in the triangle; one with
// a negative component would fall outside it and is left out as well, and counted, so that the
// figure can say so. Stateless.
#include "figure/Series.h"

#include <QPointF>
#include <array>
#include <optional>
#include <vector>

class TernaryTransform {
public:
    // The plot area's X:Y ratio that makes the triangle of height 100 on a base of 100 look
    // equilateral: 2 / sqrt(3).
    static double xPerYRatio();
    // nullopt when the sum is 0 or a component is not a number.
    static std::optional<QPointF> toPlane(double a, double b, double c);
    // The components (a, b, c), summing to 100, of a plane point.
    static std::array<double, 3> toComponents(QPointF plane);

    struct Skipped {
        qsizetype zeroSum = 0;
        qsizetype negative = 0;
    };
    // Every point's (x, y, z) read as (a, b, c) and replaced by its plane point (z keeps c);
    // points with a zero sum or a negative component are removed with their labels.
    static Skipped apply(std::vector<Series>& series);
    // The line above the plot for skipped negative samples; empty when there were none.
    static QString negativeNote(qsizetype count);
};
