#pragma once
// Keeps, of the points of one scatter series, only the first that falls on each pixel of the
// plot area (widened by the symbol size, beyond which nothing shows). Every other point of the
// series would be drawn with the same symbol less than a pixel away, so the picture stays the
// same while a million points cost a million look-ups instead of a million symbols. Needs the
// axes laid out at the picture's size.
#include <QRect>
#include <QtGlobal>
#include <vector>

class QCPAxis;

class ScatterThinning {
public:
    ScatterThinning(const QCPAxis& xAxis, const QCPAxis& yAxis, QRect plotArea, int margin);

    // True for the first point on its pixel (the kept points count from 0 in call order).
    bool keep(double x, double y);
    // The kept points in order of X: pixel column by pixel column, each column's points sorted
    // by `xs` (the kept points' X), so the chart library need not sort them all again.
    std::vector<qsizetype> inOrderOfX(const double* xs) const;

private:
    // An axis's pixel as offset + scale * t, t the value or (on a log axis) its logarithm: what
    // the axis computes with two logarithms and its checks for every call, here with one.
    struct PixelLine {
        explicit PixelLine(const QCPAxis& axis);
        double pixel(double value) const;

        bool logarithmic = false;
        double offset = 0.0;
        double scale = 1.0;
    };

    PixelLine x_;
    PixelLine y_;
    QRect grid_;
    std::vector<qint32> kept_; // per pixel: which kept point, or -1
    qint32 keptCount_ = 0;
};
