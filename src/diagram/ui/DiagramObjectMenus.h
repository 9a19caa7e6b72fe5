#pragma once
// A diagram view's user-object menus: "Trend&Line", "&Polygon", "&RefPoint", "&Text labels" and
// "&Discriminate Options" (with the fit items, DiagramFitItems), and the chart's mouse: a click
// goes to the object controller (Shift selects), a double click ends digitising; dragging objects
// (DiagramObjectDragging); each object menu's "&Library..." (the object library browser) and
// "&Header..." (the header editor). Owns the window's DiagramObjectController; `shown` shows the
// figure again after a change.
#include "db/SystemTables.h"
#include "diagram/DiagramObjectController.h"
#include "diagram/DiagramObjectFigure.h"
#include "diagram/objects/LibraryKind.h"
#include "diagram/objects/ObjectEdits.h"
#include "figure/StyleLibrary.h"

#include <QObject>
#include <functional>

class DiagramFitItems;
class DiagramObjectDragging;
class ObjectHeaderView;
class ObjectLibraryView;
class QCustomPlot;
class QMenuBar;
class QWidget;
class Status;
class WindowGeometry;

class DiagramObjectMenus : public QObject {
    Q_OBJECT
public:
    DiagramObjectMenus(DiagramWindow& window, SessionDatabase& session, Dialogs& dialogs,
                       Status& status, QCustomPlot& plot, std::function<void()> shown,
                       QWidget* view);

    DiagramObjectController& controller() { return objects_; }
    DiagramFitItems& fitItems() { return *fitItems_; }
    void addTo(QMenuBar& bar);

    // Where the object library is kept (set by the frame) and where its windows go.
    struct LibraryAccess {
        QString systemDatabase;
        SystemTables names;
        const WindowGeometry* geometry = nullptr;
    };
    LibraryAccess library;
    // Trendline "Style..." and Polygon "&Style...": the style editor on that object (set by the
    // view, which owns the editor).
    std::function<void(StyleGroup group, int index)> openStyle;
    // "&Library...": the browser on the tab of a kind; "&Header...": the editor on the
    // selected object of a kind. nullptr without a system database (after the message).
    ObjectLibraryView* openLibrary(LibraryKind kind);
    ObjectHeaderView* openHeader(LibraryKind kind);

private:
    // The store window for the values; `title` is its caption.
    void openStore(DiagramObjectController::Stored what, const QString& title);
    void copyToClipboard(const std::optional<QString>& text);

    DiagramWindow& window_;
    Dialogs& dialogs_;
    DiagramObjectController objects_;
    DiagramObjectFigure figure_; // what the object library browser draws into
    ObjectEdits edits_;
    DiagramObjectDragging* dragging_;
    DiagramFitItems* fitItems_;
    SessionDatabase& session_;
    QCustomPlot& plot_;
    std::function<void()> shown_;
    QWidget* view_;
};
