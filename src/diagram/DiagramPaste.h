#pragma once
// The diagram window's "Paste ClipData" and "Paste Special" items, each taking the clipboard's
// text (tab-separated rows, as spreadsheets copy them): "Paste ClipData" puts the table into
// the ClipData sheet; "Values" adds series to the figure (first column X, each further column
// a series named by its heading, when the first row has headings); "Transpose As Values" reads
// rows as those columns; "Trendline equation" ("Y=..." or "X=...") becomes a trendline across
// the figure's X range; "Polygon nodes" (X and Y per row) becomes a polygon. Each says why when
// nothing was pasted. No widgets: the view hands it the clipboard text.
#include "figure/Series.h"

#include <QPointF>
#include <vector>

class DiagramObjectController;
class DiagramWindow;
class Dialogs;

class DiagramPaste {
public:
    DiagramPaste(DiagramWindow& window, DiagramObjectController& objects, Dialogs& dialogs);

    bool pasteClipData(const QString& text);
    bool pasteValues(const QString& text, bool transpose);
    bool pasteTrendline(const QString& text);
    bool pastePolygon(const QString& text);

    // The series a pasted table gives ("Values" / "Transpose As Values"); empty when it holds
    // no numeric pair.
    static std::vector<Series> valuesAsSeries(const QString& text, bool transpose);
    // Rows of at least two numbers: X and Y of each node.
    static std::vector<QPointF> nodes(const QString& text);

private:
    bool refuse(const QString& why);

    DiagramWindow& window_;
    DiagramObjectController& objects_;
    Dialogs& dialogs_;
};
