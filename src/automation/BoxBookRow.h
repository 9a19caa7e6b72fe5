#pragma once
// A box-and-whisker figure as a PictureBook row and back: the classifier (X) in columns 3-4,
// the statistics field (Y) in 5-6, the filter in 9-10, ClipData in 17, the box order in 11 and
// the lower and upper limits in 18 ("lower;upper").
class BoxPlotWindow;
class PictureBook;
class QString;

class BoxBookRow {
public:
    static QString type();
    static int add(PictureBook& book, const BoxPlotWindow& window, const QString& graphFile);
    // The row's settings into the window (not drawn).
    static void read(const PictureBook& book, int row, BoxPlotWindow& window);
};
