#pragma once
// Keeps, of the points of one scatter series, only the first that falls on each pixel of the
// plot area (widened by the symbol size, beyond which nothing shows). Every other point of the
// series would be drawn with the same symbol less than a pixel away, so the picture stays the
// same while a million points cost a million look-ups instead of a million symbols. Needs the
// axes laid out at the picture's size.
#include <QRect>
#include <vector>

class QCPAxis;

class ScatterThinning {
public:
    ScatterThinning(const QCPAxis& xAxis, const QCPAxis& yAxis, QRect plotArea, int margin);

    bool keep(double x, double y);

private:
    const QCPAxis& xAxis_;
    const QCPAxis& yAxis_;
    QRect grid_;
    std::vector<bool> taken_;
};
