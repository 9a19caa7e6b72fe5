// Every window the frame opens, walked menu by menu on the offscreen platform: the captions the
// program promises are there, and no item is left unconnected (an item that does nothing).
#include "app/FrameSession.h"
#include "clipdata/ClipDataWindow.h"
#include "diagram/ui/DiagramObjectMenus.h"
#include "diagram/ui/DiagramStyleMenu.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/StyleEditorView.h"
#include "grid/ui/GridWindow.h"
#include "spider/ui/SpiderView.h"
#include "spider/ui/SpiderWindowSet.h"
#include "stats/fit/ui/DiagramFitItems.h"
#include "stats/fit/ui/FitView.h"
#include "stats/model/ui/LinearModelView.h"
#include "stats/ui/ComparisonWindowSet.h"
#include "stats/ui/CorrelationView.h"
#include "stats/ui/TwoSampleTestView.h"

#include <QAbstractButton>
#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <gtest/gtest.h>

namespace {

// Reaches QObject::isSignalConnected, which is protected.
struct SignalProbe : QObject {
    static bool connected(const QObject* o, const QMetaMethod& signal) {
        return (o->*(&SignalProbe::isSignalConnected))(signal);
    }
};

bool doesSomething(const QAction* a) {
    return SignalProbe::connected(a, QMetaMethod::fromSignal(&QAction::triggered)) ||
           SignalProbe::connected(a, QMetaMethod::fromSignal(&QAction::toggled));
}

struct Walk {
    QStringList captions;
    QStringList idle; // items no one listens to
};

void walk(const QList<QAction*>& actions, const QString& path, Walk& out) {
    for (QAction* a : actions) {
        if (a->isSeparator() || a->text().isEmpty())
            continue;
        const QString here = path + QStringLiteral(" > ") + a->text();
        out.captions << a->text();
        if (QMenu* menu = a->menu()) {
            // Menus filled as they open (the window list) have their items then.
            emit menu->aboutToShow();
            walk(menu->actions(), here, out);
        } else if (!doesSomething(a)) {
            out.idle << here;
        }
    }
}

// The Alt+letter keys of a window's menu bar and buttons that more than one of them claims: such
// a key only moves the focus between them, so a keyboard user cannot press the button.
QStringList sharedMnemonics(const QWidget* window) {
    QHash<QChar, QStringList> owners;
    const auto claim = [&owners](const QString& caption) {
        const QString key = QKeySequence::mnemonic(caption).toString();
        if (!key.isEmpty())
            owners[key.back().toUpper()] << caption;
    };
    for (const QMenuBar* bar : window->findChildren<QMenuBar*>())
        for (const QAction* a : bar->actions())
            claim(a->text());
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(window) && b->window() == window->window())
            claim(b->text());
    QStringList shared;
    for (auto it = owners.cbegin(); it != owners.cend(); ++it)
        if (it.value().size() > 1)
            shared << it.value().join(QStringLiteral(" / "));
    return shared;
}

Walk walkMenus(const QWidget* window) {
    Walk out;
    for (const QMenuBar* bar : window->findChildren<QMenuBar*>())
        walk(bar->actions(), window->windowTitle(), out);
    return out;
}

class MenuWalkTest : public FrameSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(
            openFrame({"CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Rock TEXT)",
                       "INSERT INTO Samples VALUES ('S-1', 'Granite')"}));
        frame.resize(640, 480);
    }
};

TEST_F(MenuWalkTest, EveryWindowHasItsCaptionsAndEveryItemIsConnected) {
    const struct {
        const char* name;
        std::function<QWidget*()> open;
        QStringList captions;
    } windows[] = {
        {"main window",
         [this] { return &frame; },
         {"&Open Database...",
          "&Close Database",
          "&New Database...",
          "&Map Database and Save the Map",
          "Start",
          "&Exit",
          "Tables...",
          "Queries...",
          "Filters...",
          "Relationships...",
          "Show Left Toolbar",
          "Draw last fig",
          "Link content...",
          "Set Link value",
          "Database Relationships...",
          "Converter...",
          "Population Analysis...",
          "User Defined Derivatives...",
          "&Descriptive statistics...",
          "&Box && Whisker Graph...",
          "D&istribution...",
          "&Correlation matrix...",
          "&t-test...",
          "&Linear Model...",
          "About Quv Data",
          "Quv Help",
          "Open Macro...",
          "Save Macro...",
          "Command panel",
          "P&ictureBook",
          "&Open PictureBook...",
          "&Save PictureBook",
          "Save PictureBook &As...",
          "&New and Clear",
          "Add &Figure",
          "&Delete Figure",
          "&Rename Figure...",
          "&Copy Figure Text",
          "&Next Figure",
          "&Previous Figure",
          "&Launch Sheet",
          "Run &Report...",
          "Set &Word Processor...",
          "Slide Show &Run",
          "Slide Show &Options...",
          "PictureBook &panel"}},
        {"diagram",
         [this] { return frame.openDiagram(); },
         {"&Open AKR",
          "Graph symbol and line styles...",
          "Save As Default Style",
          "Save Style",
          "Open Style",
          "Open Style Library",
          "&Reset Style",
          "Apply AutoStyle Search",
          "Use Aliasnames",
          "&Save AKR",
          "Save AKR &As",
          "Save As Default Template",
          "Save Template",
          "Open Template",
          "Open Table",
          "Print",
          "Close",
          "Copy",
          "Copy Legend Only",
          "Paste ClipData",
          "Paste Special",
          "Values",
          "Transpose As Values",
          "Trendline equation",
          "Polygon nodes",
          "Find",
          "&Select Start",
          "Select &All",
          "Select &Clear",
          "View Selected In Table",
          "Copy DataPoints",
          "Refresh",
          "Change X to Y",
          "Statistics...",
          "Show &number of points/class",
          "Run active SQL",
          "Clear fig log",
          "Check Linking",
          "Discriminate Options",
          "Trend&Line",
          "&Library...",
          "&Header...",
          "&Polygon",
          "&RefPoint",
          "&Text labels",
          "&Discriminate Options",
          "&Digitize On screen",
          "&Rectangle around datapoints",
          "&Autopolygon around datapoints",
          "Linear on screen",
          "Polyline on screen",
          "&Fit Linear",
          "Fit...",
          "Show in Legend",
          "Style...",
          "&Style...",
          "Zoom and Pan",
          "Zoom In",
          "Zoom Out",
          "Show All",
          "&Move",
          "&Copy equation",
          "&Move and Edit Nodes",
          "&Smooth",
          "Copy Nodes",
          "Calculate &X at Y=0 ",
          "Calculate &Y at X=?",
          "Save Graph State",
          "Restore Graph State",
          "Draw = Draw, Hide buttons and Copy",
          "No Automatic saving",
          "Each time when copied to clipboard",
          "Each time when drawed",
          "Draw the Last Fig of Previous Session",
          "No sorting",
          "Sort By Y",
          "Sort By X",
          "Sort By Label",
          "Null rows in classifier are drawn",
          "Use ClipData",
          "Show Table name in Title",
          "Show X Title",
          "Show Y Title",
          "Show in diagram",
          "Shewhart: Show AVG, 2S and 3S",
          "Fills",
          "Bubble Options...",
          "Original size",
          "XY is perfect square",
          "Show Toolbar",
          "Rename..."}},
        {"grid",
         [this] {
             return frame.openGrid(QStringLiteral("SELECT * FROM Samples"),
                                   QStringLiteral("Table/Samples"));
         },
         {"Find...", "Options...", "&Trim...", "&Digits...", "Edit SQL Query...", "Statistics...",
          "Update Column..."}},
        {"ClipData", [this] { return frame.openClipData(); }, {"Launch Linked"}},
        {"filter window",
         [this] { return frame.openFilterWindow(); },
         {"Open SQL...", "Save SQL...", "Clear SQL", "&Undo last SQL", "Cancel SQL edit",
          "&Copy SQL clause"}},
        {"catalogue", [this] { return frame.openCatalogue(); }, {"Open Links", "Save Links"}},
        {"descriptive statistics",
         [this] { return frame.openDescriptiveStatistics(); },
         {"&Execute descriptive statistics", "&Print", "&Close", "&Copy",
          "Copy &sheet with headers", "Copy &averages"}},
        {"box and whisker",
         [this] { return frame.openBoxPlot(); },
         {"Save &As", "&Print", "&Close", "&Copy", "Copy &Legend", "&Box and Whisker",
          "&Y Axis Is Logarhitmic", "Scale...", "Chart Properties....", "Statistics..."}},
        {"correlation matrix",
         [this] { return frame.comparisonWindows()->openCorrelation(); },
         {"&Print", "Save...", "Print Options...", "&Close", "&Copy", "Copy &sheet with headers",
          "&Delete row and column", "&Digits...", "&Highlight...",
          "&Show Rows Where N is Greater Than", "&Delete empty rows and columns", "Quv &Help"}},
        {"t-test",
         [this] { return frame.comparisonWindows()->openTwoSampleTest(); },
         {"&Execute", "&Close", "Copy &sheet"}},
        {"linear model",
         [this] { return frame.comparisonWindows()->openLinearModel(); },
         {"Create Model (run)", "Recalculate and draw line chart", "Open Model template",
          "Save Model template", "&Close", "&Copy", "Save Chart &As"}},
        {"fit",
         [this] { return frame.openDiagram()->objectMenus().fitItems().openFit(); },
         {"&Best fit", "Print", "&Close", "Copy Formula", "Copy Fit output", "Copy Figure"}},
        {"distribution",
         [this] { return frame.openDistribution(); },
         {"Show Table",
          "Save Classes",
          "Open Clasesses",
          "&Print",
          "&View data",
          "&Close",
          "&Copy",
          "Copy &Table to Clipboard",
          "Define groups...",
          "Copy",
          "Fill Ranges",
          "Equal Range by Range...",
          "Equal Range by Number of Classes...",
          "Log scale...",
          "Delete Row",
          "Insert Row",
          "Clear",
          "Redraw Graph",
          "Edit labels",
          "Show only number",
          "Show every nth label, n=1",
          "&Show Grid",
          "&Bar Colour...",
          "X Is &Reversed",
          "X &Scale",
          "&Y Is Log",
          "Y Scale",
          "&Headers...",
          "S&pace between Bars...",
          "X title options",
          "Rotate labels",
          "3D View...",
          "Plot Area Options...",
          "Chart Area Options...",
          "&Font...",
          "&Chart Properties"}},
        {"spider diagram",
         [this]() -> QWidget* { return frame.spiderWindows()->openSpider(); },
         {"&Show normalization sample", "&Edit Normalization sample", "SpiderTable...",
          "Options for elements in X-axis", "&Legend Is Visible", "&Is Logarithmic", "Trend&Line",
          "&Polygon", "&RefPoint", "&Library...", "&Erase"}},
        {"style editor",
         [this]() -> QWidget* {
             DiagramView* diagram = frame.openDiagram();
             return diagram ? diagram->styleMenu().openEditor() : nullptr;
         },
         {"Save Style", "Open Style", "Close", "Apply selected symbol shape and size to all",
          "Change symbols to black", "Apply selected line pattern and width to all",
          "Change lines to black", "Add to Library", "Add All to Library", "Open Library in F1"}},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.name);
        QWidget* window = w.open();
        ASSERT_NE(window, nullptr);
        const Walk found = walkMenus(window);
        EXPECT_FALSE(found.captions.isEmpty());
        for (const QString& caption : w.captions)
            EXPECT_TRUE(found.captions.contains(caption)) << caption.toStdString();
        EXPECT_TRUE(found.idle.isEmpty()) << found.idle.join('\n').toStdString();
        EXPECT_TRUE(sharedMnemonics(window).isEmpty())
            << sharedMnemonics(window).join('\n').toStdString();
        // Opened in a small frame, a window still shows its captions whole.
        const QSize least = window->minimumSizeHint();
        EXPECT_GE(window->width(), least.width());
        EXPECT_GE(window->height(), least.height());
    }
}

} // namespace
