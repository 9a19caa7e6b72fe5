#pragma once
// The object header editor of a diagram window: one figure object at a time (tabs Trendline,
// Polygon, Point, Collection; the collection is every object of the figure), its fields under
// their labels, edited as texts. "New" adds an empty object, "&Update" writes the edits back to
// the figure, closing with unsaved edits asks first; "&Add to DB" stores the object (a polygon
// with its nodes, a collection after checking that each member is stored), "&Delete" removes
// the stored record; copying the descriptive fields from the previous or next object, emptying
// them. Talks to the person through Dialogs only.
#include "db/SystemTables.h"
#include "diagram/objects/LibraryKind.h"
#include "diagram/objects/LibraryRecord.h"

#include <QPointF>
#include <optional>
#include <vector>

class DiagramObjectController;
class DiagramWindow;
class Dialogs;

class ObjectHeaderEditor {
public:
    ObjectHeaderEditor(DiagramWindow& window, DiagramObjectController& objects, Dialogs& dialogs,
                       QString systemDatabase, SystemTables names = {});

    static QString caption() { return QStringLiteral("Object header"); }
    static QString closeQuestion() {
        return QStringLiteral("Last changes have not been updated. Do you want changes to be "
                              "updated in figure?\n-Yes = Update and close\n-No = Close (no "
                              "updating)\n-Cancel = Do not close");
    }

    struct Field {
        QString label;  // "Counter:", "Source:", ...
        QString column; // the library column
        bool system;    // the key, the chart type and the axes: shown with "&Show systemlines"
    };
    static std::vector<Field> fields(LibraryKind kind);

    LibraryKind kind() const { return kind_; }
    // A tab: the first object of that kind (or the selected one in the diagram window).
    void setKind(LibraryKind kind);
    // The figure's objects of the current kind, and which one is shown (-1: none).
    int count() const;
    int index() const { return index_; }
    void show(int index);
    // The shown object's name, for the object list.
    QString nameAt(int index) const;

    QString text(const QString& column) const { return record_.text(column); }
    void setText(const QString& column, const QString& value);
    bool dirty() const { return dirty_; }

    // "New": an empty object of the tab's kind ("TLine_", "Polygon_", "Point_" + number).
    bool addNew();
    // "&Update": the edits into the figure's object, then a redraw.
    bool update();
    // Whether the editor may close; asks about unsaved edits.
    bool mayClose();
    // "&Add to DB", "&Delete".
    bool addToDatabase();
    bool deleteFromDatabase();
    // "Copy from &previous" (-1), "Copy from &next" (+1): the descriptive fields.
    bool copyFrom(int step);
    // "Empty all (except system data)".
    void emptyAll();
    // Paste special from the clipboard's text: "&Trendline Equation" (into Equation), "&Polygon
    // Nodes" (X and Y per line, taken by "&Update"), "&RefPoint Coordinates" (X, Y and C). False
    // after "Model row not selected, select one row" when no object of that kind is shown, or
    // when the text holds no numbers.
    enum class Paste { TrendlineEquation, PolygonNodes, RefPointCoordinates };
    bool paste(Paste what, const QString& clipboard);
    static QString noModelRow() { return QStringLiteral("Model row not selected, select one row"); }

private:
    LibraryRecord recordOfShown() const;

    DiagramWindow& window_;
    DiagramObjectController& objects_;
    Dialogs& dialogs_;
    QString systemDatabase_;
    SystemTables names_;
    LibraryKind kind_ = LibraryKind::Trendline;
    int index_ = -1;
    LibraryRecord record_;
    LibraryRecord collection_; // the figure's objects as one collection
    std::optional<std::vector<QPointF>> pastedNodes_;
    bool dirty_ = false;
};
