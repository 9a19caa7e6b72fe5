#pragma once
// The report of a PictureBook: a PDF with one figure per page and its caption under it, and an
// HTML page beside it (same name, ".html") showing the figures as PNG files (name + "_" + n +
// ".png"). Collect the pages, then write.
#include "figure/Figure.h"

#include <QString>
#include <vector>

class BookReport {
public:
    void add(const QString& caption, const Figure& figure) { pages_.push_back({caption, figure}); }
    int pageCount() const { return int(pages_.size()); }
    // False (with the reason) when a file cannot be written.
    bool write(const QString& pdfPath, QString* error) const;
    static QString htmlPathFor(const QString& pdfPath);

private:
    struct Page {
        QString caption;
        Figure figure;
    };
    std::vector<Page> pages_;
};
