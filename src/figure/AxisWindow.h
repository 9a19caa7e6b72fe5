#pragma once
// The part of an axis a view shows while zooming and panning: zoomed about a value by a factor,
// or moved so that a value is in its middle, never beyond the axis' full range. A logarithmic
// axis zooms and pans by decades, as the person sees it. Plain value type.
#include "figure/Axis.h"

struct AxisWindow {
    double min = 0;
    double max = 1;

    static AxisWindow of(const Axis& axis) { return {axis.min, axis.max}; }

    // Shown `factor` times as wide (below 1 zooms in) about `at`, which keeps its place;
    // never wider than `full`, nor narrower than a millionth of it.
    AxisWindow zoomed(double factor, double at, const AxisWindow& full, bool logarithmic) const;
    // The same width with `at` in the middle, moved back inside `full` where it would leave it.
    AxisWindow centredOn(double at, const AxisWindow& full, bool logarithmic) const;

    // The value in the middle as the axis is drawn (on a log axis, of the decades).
    double middle(bool logarithmic) const;

    bool operator==(const AxisWindow&) const = default;
};
