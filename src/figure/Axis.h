#pragma once
// One axis of a figure: its title, its scale (linear or logarithmic, reversed or not) and its
// range with an automatic flag per end. The scale pass (AxisScaler) resolves automatic ends to
// numbers, so a renderer only ever reads min and max. Plain value type.
#include <QString>
#include <QStringList>

enum class GridStyle { None, Solid, Dashed, Dotted };

struct Axis {
    QString title;
    bool titleVisible = true;
    bool visible = true;
    bool logarithmic = false;
    bool reversed = false;
    bool autoMin = true;
    bool autoMax = true;
    double min = 0.0;
    double max = 1.0;
    GridStyle grid = GridStyle::None;
    int labelFrequency = 1;   // every n-th tick label is shown
    double labelRotation = 0; // degrees, counter-clockwise
    // Values are seconds since 1970-01-01 00:00 UTC, labelled as day, month and time of day
    // ("%d.%m. %H:%M"); for time trends. Ignored on a logarithmic axis.
    bool dateTime = false;
    // When set, the axis names categories: label i at value i + 1 (a box or a bar each), in
    // place of numbers. Ignored on a logarithmic axis.
    QStringList categoryLabels;

    void setRange(double lo, double hi) {
        min = lo;
        max = hi;
        autoMin = false;
        autoMax = false;
    }
    void setAutomatic() {
        autoMin = true;
        autoMax = true;
    }
};
