#include "figure/ui/ScatterThinning.h"

#include <qcustomplot.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace {

// ln(x) for positive x to about 1e-8: the binary exponent exactly, the mantissa's logarithm
// interpolated in a table. Thinning needs a logarithm per coordinate, and the library's costs
// several times the rest of the thinning here; an error of 1e-8 moves a point by far less than
// a pixel.
double quickLog(double x) {
    constexpr int steps = 4096;
    static const std::array<double, steps + 1> table = [] {
        std::array<double, steps + 1> t{};
        for (int i = 0; i <= steps; ++i)
            t[size_t(i)] = std::log1p(double(i) / steps);
        return t;
    }();
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const int biased = int(bits >> 52) & 0x7ff;
    if (biased == 0 || biased == 0x7ff)
        return std::log(x); // subnormal, infinite or NaN: rare enough
    const std::uint64_t mantissa = bits & ((std::uint64_t(1) << 52) - 1);
    const auto step = size_t(mantissa >> 40);
    const double within = double(mantissa & ((std::uint64_t(1) << 40) - 1)) / double(1ull << 40);
    const double lnMantissa = table[step] + (table[step + 1] - table[step]) * within;
    return double(biased - 1023) * 0.69314718055994530942 + lnMantissa;
}

} // namespace

ScatterThinning::PixelLine::PixelLine(const QCPAxis& axis)
    : logarithmic(axis.scaleType() == QCPAxis::stLogarithmic) {
    // Two points of the axis's own mapping fix the line, whatever its direction.
    const double lo = axis.range().lower;
    const double hi = axis.range().upper;
    const double tLo = logarithmic ? std::log(lo) : lo;
    const double tHi = logarithmic ? std::log(hi) : hi;
    const double pLo = axis.coordToPixel(lo);
    const double pHi = axis.coordToPixel(hi);
    if (tHi != tLo && std::isfinite(tLo) && std::isfinite(tHi)) {
        scale = (pHi - pLo) / (tHi - tLo);
        offset = pLo - scale * tLo;
    }
}

double ScatterThinning::PixelLine::pixel(double value) const {
    return offset + scale * (logarithmic ? quickLog(value) : value);
}

ScatterThinning::ScatterThinning(const QCPAxis& xAxis, const QCPAxis& yAxis, QRect plotArea,
                                 int margin)
    : x_(xAxis)
    , y_(yAxis)
    , grid_(plotArea.adjusted(-margin, -margin, margin, margin))
    , kept_(size_t(grid_.width()) * size_t(grid_.height()), -1) {}

bool ScatterThinning::keep(double x, double y) {
    const double px = x_.pixel(x);
    const double py = y_.pixel(y);
    if (!(px >= grid_.left() && px < grid_.left() + grid_.width() && py >= grid_.top() &&
          py < grid_.top() + grid_.height())) {
        return false; // also NaN: outside every picture
    }
    const size_t cell =
        size_t(int(py) - grid_.top()) * size_t(grid_.width()) + size_t(int(px) - grid_.left());
    if (kept_[cell] >= 0) {
        return false;
    }
    kept_[cell] = keptCount_++;
    return true;
}

std::vector<qsizetype> ScatterThinning::inOrderOfX(const double* xs) const {
    std::vector<qsizetype> order;
    order.reserve(size_t(keptCount_));
    const int width = grid_.width();
    const bool leftToRight = x_.scale >= 0; // a reversed X axis has its smallest X on the right
    for (int i = 0; i < width; ++i) {
        const int column = leftToRight ? i : width - 1 - i;
        const size_t from = order.size();
        for (int row = 0; row < grid_.height(); ++row) {
            const qint32 k = kept_[size_t(row) * size_t(width) + size_t(column)];
            if (k >= 0)
                order.push_back(k);
        }
        std::sort(order.begin() + qsizetype(from), order.end(),
                  [&](qsizetype a, qsizetype b) { return xs[a] < xs[b]; });
    }
    return order;
}
