#pragma once
// The cells of one figure row of a PictureBook, as the figure types write and read them: the
// type in column 2, switches as "1"/"0" (read back from "True" as well), and on finishing the
// display name, the "Fig n" marker and the graph file, marking the book changed; the options
// of a window that has more settings than the fixed columns hold.
#include <QHash>
#include <QString>
#include <utility>
#include <vector>

class PictureBook;
class Sheet;

class BookRow {
public:
    // A new row at the end of the book, its type written.
    static BookRow append(PictureBook& book, const QString& type);

    int row() const { return row_; }
    // Writes a non-empty text (an empty one leaves the cell empty).
    void put(int column, const QString& text);
    void putFlag(int column, bool on);
    // An object range (first, last) into columns firstColumn and firstColumn + 1; none for 0.
    void putRange(int firstColumn, std::pair<int, int> range);
    // Two texts as "first;second" (lower and upper limits); none when both are empty.
    void putPair(int column, const QString& first, const QString& second);
    static std::pair<QString, QString> pair(const PictureBook& book, int row, int column);
    // Display name, marker and graph file; the book is marked changed. Returns the row.
    int finish(const QString& displayName, const QString& graphFile);

    // A window's options as "name=value;..." in column 33 (values percent-encoded).
    using Options = std::vector<std::pair<QString, QString>>;
    void putOptions(const Options& options);
    static QHash<QString, QString> options(const PictureBook& book, int row);

    static QString flag(bool on);
    static bool isOn(const QString& text);

private:
    BookRow(PictureBook& book, int row)
        : book_(book)
        , row_(row) {}

    PictureBook& book_;
    int row_;
};
