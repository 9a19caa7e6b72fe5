#pragma once
// A distribution as a PictureBook row and back: the table and field in columns 3-4, the filter
// in 9-10, ClipData in 17, the number of classes in 11, the used range in 18 ("min;max") and the
// window's other settings (class generation, the field's kind, the chart's options) in 33. Typed
// classes are rows of the sheet "Classes" (from, to, the two exclusion flags, the label and
// the name written to the database), their range in columns 31-32; without them a drawn figure
// makes its classes from the used range.
class DistributionWindow;
class PictureBook;
class QString;

class DistributionBookRow {
public:
    static QString type();
    static int add(PictureBook& book, const DistributionWindow& window, const QString& graphFile);
    // The row's settings into the window (not drawn).
    static void read(const PictureBook& book, int row, DistributionWindow& window);
};
