#pragma once
// The spider diagram window and the windows it opens (sample selection, definition, the
// "Spider data" sheet) as children of the frame: at most one of each, the selection and
// definition windows tied to the spider window they serve. The frame hands in how a child is
// shown and how grids open; this class only wires the windows together.
#include "db/SystemTables.h"
#include "figure/NamedStyle.h"

#include <QObject>
#include <QPointer>
#include <functional>

class Dialogs;
class SessionDatabase;
class Sheet;
class SpiderDefinitionView;
class SpiderSampleView;
class SpiderView;
class Status;
class QWidget;
class WindowGeometry;

class SpiderWindowSet : public QObject {
    Q_OBJECT
public:
    struct Frame {
        SessionDatabase& session;
        Dialogs& dialogs;
        Status& status;
        QString systemDatabase;
        SystemTables systemTables;
        // Shows a widget as a child window; its place is kept under the short name.
        std::function<void(QWidget* window, const QString& shortName, QSize size)> showChild;
        // Brings a child window forward.
        std::function<void(QWidget* window)> activate;
        std::function<void(const QString& statement, const QString& caption)> openGrid;
        std::function<void(const QString& statement, const QString& caption)> openSystemGrid;
        // The styles a new spider window starts from; none: no styles of its own.
        const StyleTable* styles = nullptr;
        // Where the object library window keeps its place.
        const WindowGeometry* geometry = nullptr;
    };

    explicit SpiderWindowSet(Frame frame, QObject* parent = nullptr);

    // "Spider diagram" (View menu; the macro line VIEW SPIDER once the macro language has it).
    SpiderView* openSpider();
    SpiderSampleView* openSelection();
    SpiderDefinitionView* openDefinition();
    // After the session database changed: the pickers refilled.
    void refreshLists();
    SpiderView* spider() const { return spider_.data(); }

private:
    void showSheet(const Sheet& sheet, const QString& caption);

    Frame frame_;
    QPointer<SpiderView> spider_;
    QPointer<SpiderSampleView> selection_;
    QPointer<SpiderDefinitionView> definition_;
};
