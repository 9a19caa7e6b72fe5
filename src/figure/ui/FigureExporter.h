#pragma once
// Writes a figure as a picture file: PNG, SVG or PDF, chosen by the file's extension. Renders
// on its own hidden plot, so it works without a display (offscreen platform) and from batch
// runs. Returns false when the file cannot be written; the caller shows "Error in writing file".
#include "figure/Figure.h"
#include "figure/PictureSize.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

class FigureExporter {
public:
    enum class Format { Png, Svg, Pdf };

    // By the extension, without regard to case; nullopt for any other.
    static std::optional<Format> formatOf(const QString& path);

    static bool save(const Figure& figure, const QString& path, QSize size);
    // A picture of the given size and resolution: PNG with exactly those pixels, laid out for
    // PictureSize::layoutSize(); SVG and PDF laid out the same way, as vectors.
    static bool save(const Figure& figure, const QString& path, const PictureSize& size);
    static bool save(const Figure& figure, const QString& path, QSize size, Format format);
    static QImage image(const Figure& figure, QSize size);
};
