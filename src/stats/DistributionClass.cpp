#include "stats/DistributionClass.h"

QString DistributionClass::interval() const {
    // Six significant digits: bounds such as 1 + 2 * 9.9 read 20.8, not 20.800000000000001.
    const auto text = [](const std::optional<double>& v) {
        return v ? QString::number(*v, 'g', 6) : QString();
    };
    return (fromExcluded ? u']' : u'[') + text(from) + u',' + text(to) + (toExcluded ? u'[' : u']');
}
