#pragma once
// The size of a saved picture, independent of the window it is drawn in: pixels and dots per
// inch for PNG (the layout is made for pixels / (dpi / 96) and drawn that much finer, so text
// keeps its proportions), the same width and height as the page for the vector formats. Read
// from and written as "1600 x 1200 @ 192"; remembered in the user's lastfiles.ini.
#include <QSize>
#include <QString>
#include <optional>

struct PictureSize {
    QSize pixels{1600, 1200};
    int dotsPerInch = 192;

    static constexpr int screenDotsPerInch = 96;

    // "W x H" with an optional "@ DPI"; nullopt when the text is not such a size, or out of range.
    static std::optional<PictureSize> parse(const QString& text);
    QString text() const;
    // How much finer than the layout the picture is drawn.
    double scale() const { return double(dotsPerInch) / screenDotsPerInch; }
    // The size the chart is laid out for.
    QSize layoutSize() const;

    static PictureSize load(const QString& lastFilesPath);
    bool save(const QString& lastFilesPath) const;
};
