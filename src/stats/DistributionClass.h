#pragma once
// One class of a distribution: a numeric interval whose ends may be open (no bound) and may or
// may not belong to it, with the label shown on the X axis and the one written to the
// database. Plain value type.
#include <QString>
#include <optional>

struct DistributionClass {
    std::optional<double> from; // none: open downwards
    std::optional<double> to;   // none: open upwards
    bool fromExcluded = true;   // "From: ]=1/ [=0": 1 means value > From
    bool toExcluded = false;    // "To: [=1/ ]=0": 1 means value < To
    QString name;
    QString name2;

    bool contains(double value) const {
        if (from && (fromExcluded ? !(value > *from) : !(value >= *from)))
            return false;
        if (to && (toExcluded ? !(value < *to) : !(value <= *to)))
            return false;
        return true;
    }
    // "]0,2]", "[1,10[", "[,5]" after the flags.
    QString interval() const;
};
