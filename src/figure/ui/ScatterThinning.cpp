#include "figure/ui/ScatterThinning.h"

#include <qcustomplot.h>

ScatterThinning::ScatterThinning(const QCPAxis& xAxis, const QCPAxis& yAxis, QRect plotArea,
                                 int margin)
    : xAxis_(xAxis)
    , yAxis_(yAxis)
    , grid_(plotArea.adjusted(-margin, -margin, margin, margin))
    , taken_(size_t(grid_.width()) * size_t(grid_.height()), false) {}

bool ScatterThinning::keep(double x, double y) {
    const double px = xAxis_.coordToPixel(x);
    const double py = yAxis_.coordToPixel(y);
    if (!(px >= grid_.left() && px < grid_.left() + grid_.width() && py >= grid_.top() &&
          py < grid_.top() + grid_.height())) {
        return false; // also NaN: outside every picture
    }
    const size_t cell =
        size_t(int(py) - grid_.top()) * size_t(grid_.width()) + size_t(int(px) - grid_.left());
    if (taken_[cell]) {
        return false;
    }
    taken_[cell] = true;
    return true;
}
