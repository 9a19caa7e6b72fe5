#pragma once
// A style with the name of the series it is for: a row of a figure's style table or an entry of
// a style library. Plain value type.
#include "figure/SeriesStyle.h"

#include <QString>
#include <vector>

struct NamedStyle {
    QString name;
    SeriesStyle style;

    bool operator==(const NamedStyle&) const = default;
};

// A figure's styles, one row per series in series order.
using StyleTable = std::vector<NamedStyle>;
