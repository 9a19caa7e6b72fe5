#pragma once
// The open PictureBook: the figure sheet (one figure per row, 34 fixed columns) and the object
// sheets of its figures (trendlines, polygons, polygon nodes, multi-graph sets, calculations),
// the book's path and whether it has changes not yet saved. Stored as one workbook file
// (".bok"). Reading parses into a new book and replaces this one only when the file was read.
// Saving moves each figure's graph file beside the book. Plain model: no dialogs.
#include "platform/Workbook.h"

#include <QString>
#include <QStringList>
#include <vector>

class PictureBook {
public:
    // Figure sheet columns (1-based).
    enum Column {
        Name = 1,
        Source = 2,
        XTable = 3,
        XElement = 4,
        YTable = 5,
        YElement = 6,
        ClassTable = 7,
        ClassElement = 8,
        FilterOn = 9,
        FilterText = 10,
        WindowSetting = 11, // the diagram's graph type
        MinX = 12,
        MinY = 13,
        MultiOn = 14,
        PlusXOn = 15,
        PlusYOn = 16,
        ClipDataOn = 17,
        WindowSetting2 = 18, // the diagram's Z table and field, "table;field"
        DisplayName = 19,
        Marker = 20,
        TLineR1 = 21,
        PolyR1 = 23,
        NodeR1 = 25,
        MultiR1 = 27,
        MultiR2 = 28,
        CalcR1 = 29,
        CalcR2 = 30,
        // A spider figure's samples (sheet "Samples") or a distribution's typed classes (sheet
        // "Classes").
        ItemsR1 = 31,
        ItemsR2 = 32,
        WindowOptions = 33, // a spider or distribution window's options, "name=value;..."
        GraphFile = 34,
        ColumnCount = 34
    };
    // The object sheets, in the order the row ranges of columns 21-32 name them.
    static QStringList objectSheets() {
        return {QStringLiteral("Trendlines"), QStringLiteral("Polygons"), QStringLiteral("Nodes"),
                QStringLiteral("Multi"),      QStringLiteral("Calc"),     QStringLiteral("Samples"),
                QStringLiteral("Classes")};
    }
    static QString figureSheet() { return QStringLiteral("Figures"); }
    // The headings of columns 1-34 ("" where a column has none).
    static QStringList headings();

    // A list entry: the figure row it shows and its text.
    struct Entry {
        int row = 0;
        QString text;
    };

    PictureBook();

    const Sheet& figures() const { return *book_.findSheet(figureSheet()); }
    Sheet& figures() { return book_.sheet(figureSheet()); }
    Sheet& objects(const QString& sheet) { return book_.sheet(sheet); }
    const Sheet* objects(const QString& sheet) const { return book_.findSheet(sheet); }

    const QString& path() const { return path_; }
    void setPath(const QString& path) { path_ = path; }
    bool isModified() const { return modified_; }
    void setModified(bool modified = true) { modified_ = modified; }
    bool isOpen() const { return !path_.isEmpty(); }

    // The list: column 19, else column 20, else "Fig" + row when column 2 has a type; rows
    // with all three empty have no entry.
    std::vector<Entry> entries() const;
    static QString entryText(const Sheet& figures, int row);
    // Whether the row is a figure (column 20 not empty).
    bool isFigure(int row) const { return !figures().text(row, Marker).isEmpty(); }
    // The first free figure row.
    int nextRow() const { return figures().lastRow() + 1; }
    // Appends rows to an object sheet; returns the first and last row written (0, 0 for none).
    std::pair<int, int> appendObjects(const QString& sheet, const std::vector<QStringList>& rows);
    // The rows an object range of a figure names (columns r1, r1 + 1).
    std::vector<QStringList> objectRows(int figureRow, int firstColumn, const QString& sheet) const;

    void rename(int row, const QString& name);
    // Deletes the figure's row (later rows move up).
    void deleteFigure(int row);
    // "New and clear": an empty book without a path.
    void clear();

    // Reads the workbook; on success the book, path and list are replaced and the book is
    // unchanged; on failure nothing changes and error says why.
    bool read(const QString& path, QString* error);
    // Writes the book. Each figure's graph file (column 34) is first copied to the book's path
    // without ".bok" + row + ".akr" (through a temporary file, skipping a file already there)
    // and column 34 rewritten; a temporary graph file of an added figure is then deleted.
    bool save(const QString& path, QString* error);
    // The graph file name for a row of a book saved at bookPath.
    static QString graphFileFor(const QString& bookPath, int row);
    // Whether a graph file is one of the temporary files written when a figure is added.
    static bool isTemporaryGraphFile(const QString& path);

private:
    bool moveGraphFiles(const QString& bookPath, QString* error);

    Workbook book_;
    QString path_;
    bool modified_ = false;
};
