#pragma once
// A spider diagram as a PictureBook row and back: the samples' table and key field in columns
// 3-4, the classifier in 7-8, ClipData in 17, the spider type in 11, the normalization sample in
// 18, the window's drawing options in 33 and the chosen samples' keys as rows of the sheet
// "Samples" (kind "N" or "T", key), their range in columns 31-32.
class PictureBook;
class QString;
class SpiderWindow;

class SpiderBookRow {
public:
    static QString type();
    static int add(PictureBook& book, const SpiderWindow& window, const QString& graphFile);
    // The row's settings into the window (not drawn); the window's library must be read.
    static void read(const PictureBook& book, int row, SpiderWindow& window);
};
