#pragma once
// The object library browser ("Graph object library") of a figure window: one tab per kind
// (Trendline, Polygon, Point, Collection) listing the stored records of the window's chart type
// under two user conditions joined by AND or OR, sorted by a column; a polygon's nodes; the
// edit gate (the library's password, when it has one); deleting a record; and "&Draw", which
// adds the selected object, or every member of the selected collection, to the window's figure
// (an ObjectFigure: a diagram or a spider figure) after the match and overwrite questions. Opens
// the system database for each job. Talks to the person through Dialogs and Status only.
#include "db/SystemTables.h"
#include "diagram/objects/ObjectFigure.h"
#include "diagram/objects/ObjectLibrary.h"

#include <memory>

class Dialogs;
class Status;

class ObjectLibraryBrowser {
public:
    // The figure outlives the browser.
    ObjectLibraryBrowser(ObjectFigure& figure, Dialogs& dialogs, Status& status,
                         QString systemDatabase, SystemTables names = {});
    ~ObjectLibraryBrowser();

    static QString caption() { return QStringLiteral("Graph object library"); }
    static QString noPolygonSelected() { return QStringLiteral("No Polygon selected, select one"); }
    static QString wrongPassword() { return QStringLiteral("Wrong password"); }
    static QString mismatchQuestion() {
        return QStringLiteral("Selected object and current figure do not match. Do you want to "
                              "add it to current figure?\n-Yes = Add it to current figure\n-No = "
                              "Draw corresponding figures and add object\n-Cancel = Cancel "
                              "drawing");
    }
    static QString tooMany(const QString& kind) {
        return QStringLiteral("There exists already maximum amount of ") + kind +
               QStringLiteral("s.\nRemove some");
    }
    static constexpr size_t maxPerKind = 20;

    LibraryKind kind() const { return kind_; }
    // A tab: lists that kind (and leaves the nodes).
    bool setKind(LibraryKind kind);
    // What the listing asks; the chart type starts as the window's. refresh() applies it.
    LibraryListing listing;
    // Reads the current tab again; the status line says "Table: " name " (Records=" n ")".
    bool refresh();
    const RowSet& rows() const { return rows_; }
    int selected = -1; // the row of rows(), -1 for none

    // "&Nodes": the selected polygon's nodes in place of the list; "&Polygon" goes back.
    bool showNodes();
    bool showingNodes() const { return showingNodes_; }
    bool backToList();

    // "&Edit" / "&View": editing asks the password when the library has one.
    bool editing() const { return editing_; }
    bool toggleEdit();
    // While editing: a new password ("" removes the gate).
    bool changePassword();
    // "&Add" (while editing): the polygon or trendline selected in the figure (Shift+click) into
    // the library under a new key; the new record is listed and selected.
    bool addFromFigure();
    // "D&elete" (while editing): the selected record after the question.
    bool deleteSelected();

    // The sort menu ("Enter sort column"), "Find" (the next row whose column holds the value,
    // selected), "Set Filter condition" and "No filter": each asks its column and value.
    bool askSort(bool descending);
    bool askFind();
    bool askFilter();
    bool clearFilter();

    // "&Draw": the selected record onto the window's figure.
    bool draw();

    // The key of a row of the list.
    int keyAt(int row) const;

private:
    struct Opened;
    // The library over a fresh connection, or nullptr after the message.
    std::unique_ptr<Opened> open();
    std::optional<LibraryCondition> askCondition(const QString& title);
    bool addTrendline(Trendline t);
    bool addPolygon(UserPolygon p);
    bool addPoint(RefPoint p);

    ObjectFigure& figure_;
    Dialogs& dialogs_;
    Status& status_;
    QString systemDatabase_;
    SystemTables names_;
    LibraryKind kind_ = LibraryKind::Trendline;
    RowSet rows_;
    bool showingNodes_ = false;
    bool editing_ = false;
};
