#pragma once
// The sheet tools of ClipData's active page with their questions: parse, column naming, header
// rows, ID column, copy down/right and zoom. Row 1 holds the column headings (the field names),
// as the loader writes them and the table maker reads them. Every cancel leaves the page as it
// was.
#include <QString>

class ClipDataSheet;
class Dialogs;
class Sheet;

class ClipDataSheetTools {
public:
    static constexpr int minZoom = 10;
    static constexpr int maxZoom = 400;

    ClipDataSheetTools(ClipDataSheet& clipData, Dialogs& dialogs)
        : clipData_(clipData)
        , dialogs_(dialogs) {}

    // Cuts column 1 of every row at the asked separator into columns 1, 2, 3, ...
    bool Parse();
    bool NameColumn(int column);
    // Row n's texts become the headings (row 1) and row n goes; row 1 itself changes nothing.
    bool TransferHeaderRow();
    bool transferHeaderRow(int row);
    // Row n's texts, or a text given instead of a number, appended to every heading.
    bool AppendToHeaderRow();
    // A column "ID" before column 1, numbered 1, 2, 3, ... down to the last used row.
    void CreateIdColumn();
    // The selection's top row (down) or left column (right) copied over the rest of it.
    bool CopyDown(int row1, int column1, int row2, int column2);
    bool CopyRight(int row1, int column1, int row2, int column2);
    bool Zoom();
    int zoom() const { return zoom_; }

private:
    Sheet& page();
    bool overwriteConfirmed();

    ClipDataSheet& clipData_;
    Dialogs& dialogs_;
    int zoom_ = 100;
};
