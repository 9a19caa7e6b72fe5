#pragma once
// The diagram window ("Graph"): its definition, the draw pipeline that turns the definition into
// a figure (query or ClipData rows, classes, series, graph-type forms, titles, scaling), the
// figure log, and the window's menu operations. Talks to the person only through Dialogs and
// Status; a view shows figure() after each draw. Holds its caller's session, which must outlive it.
#include "diagram/DiagramDefinition.h"
#include "diagram/DiagramRowFetcher.h"
#include "diagram/DiagramStyles.h"
#include "diagram/GraphAutoSave.h"
#include "figure/AxisScaleState.h"
#include "figure/AxisWindow.h"
#include "figure/Figure.h"
#include "figure/PlotTable.h"
#include "filter/DiagramFilterTarget.h"
#include "platform/Dialogs.h"

#include <QJsonObject>
#include <functional>
#include <optional>
#include <utility>

class DiagramObjectController;
class SessionDatabase;
class Sheet;
class Status;

class DiagramWindow : public DiagramFilterTarget {
public:
    using ClipDataSource = std::function<Sheet*()>;
    using Recorder = std::function<void(const QString& line)>;

    DiagramWindow(SessionDatabase& session, Dialogs& dialogs, Status& status);

    static QString caption() { return QStringLiteral("Graph"); }
    // The boxes the window's own dialogs (the unit change) ask through.
    Dialogs& dialogs() const { return dialogs_; }
    Status& status() const { return status_; }

    DiagramDefinition definition;
    AxisScaleState scaleState;
    // The styles every draw gives its series and objects (step "Styles...").
    DiagramStyles styles;
    // Gives the figure as it is the styles again (after the style items or the style editor).
    void restyle() { styles.apply(figure_); }
    bool showFilterName = false;    // "Show in diagram"
    bool tableNameInTitles = false; // "Show Table name in Title"
    bool showXTitle = true;         // "Show X Title"
    bool showYTitle = true;         // "Show Y Title"
    bool useQueries = false;        // "Check to use queries": stored queries in the table boxes
    GraphAutoSave::Mode autoSave = GraphAutoSave::Mode::None;
    // Where automatically saved graph files go (the user's "\Graphs\" folder).
    QString graphsFolder;

    // The ClipData sheet, for the "Use ClipData" source.
    void setClipDataSource(ClipDataSource source) { clipData_ = std::move(source); }
    Sheet* clipDataSheet() const { return clipData_ ? clipData_() : nullptr; }
    // Measures the chart's own plot area, for a fixed X:Y ratio (the view's chart does).
    void setPlotAreaMeter(std::function<QSizeF(const Figure&)> meter) { meter_ = std::move(meter); }
    // Lays the user objects over each figure drawn (step 9 of the pipeline); extras: what a
    // graph file keeps beside the figure (the objects), written and read back with it.
    using Overlay = std::function<void(Figure&, const DiagramDefinition&)>;
    void setOverlay(Overlay overlay) { overlay_ = std::move(overlay); }
    std::function<QJsonObject()> graphFileExtras;
    std::function<void(const QJsonObject&)> graphFileExtrasRead;
    // The controller of the window's user objects, while there is one (it says so itself):
    // macro lines for the objects (DISCRPOLYGON ...) go to it.
    DiagramObjectController* objects = nullptr;
    // "Zoom and Pan": the axes show this part of the plane until the next draw (the ends stay
    // automatic or frozen as they were, so the next draw scales as before).
    void showPart(AxisWindow x, AxisWindow y) {
        figure_.x.min = x.min;
        figure_.x.max = x.max;
        figure_.y.min = y.min;
        figure_.y.max = y.max;
    }
    // Discrimination shows its groups in place of the drawn series.
    void showSeries(std::vector<Series> series) { figure_.series = std::move(series); }
    // Receives the DRAW2 line of every draw (the macro recorder).
    void setRecorder(Recorder recorder) { recorder_ = std::move(recorder); }

    // Draw, Enter or F2; command: the command line that asked for the draw, if any. False when
    // nothing was drawn (after the message that says why).
    bool draw(const QString& command = {});
    // A command line of the window: "DRAW2 ..." (its definition replaces the window's, then it
    // is drawn), "DRAW", "AXISXLOG", "AXISXLIN", "AXISYLOG", "AXISYLIN", and the data source:
    // "USECLIPDATA 0|1" and "CLIPDATAONOFF". False for a line it does not know or a draw that
    // failed.
    bool runCommand(const QString& line);
    // "DRAW UPDATE": the figure drawn from the rows already held, without a new query: scaled
    // again (styles and the multi-graph finish come with it), then "Ready!".
    void redrawHeld();

    // The draw refuses a type it does not know.
    static QString unknownGraphType(const QString& type) {
        return QStringLiteral("Unknown graph type ") + type;
    }

    const Figure& figure() const { return figure_; }
    // Changes the drawn figure in place (a PictureBook's saved look or caption over a draw).
    template <typename Change> void adjustFigure(Change&& change) { change(figure_); }
    // Whether figure() is a figure to save: the last draw succeeded or a graph file was opened.
    // A failed draw empties the figure.
    bool hasFigure() const { return hasFigure_; }
    // The rows fetched by the last draw ("n=").
    qsizetype fetchedRows() const { return fetched_; }
    const QStringList& figureLog() const { return log_; }
    static QString logEntry(const DiagramDefinition& definition);
    // A double click on a log entry (0-based) draws that definition again; a right click
    // empties the log.
    bool drawFromLog(int index);
    void clearLog();

    // "Classify Option = n" and its input box; false when the answer was refused or cancelled.
    QString classifyMenuCaption() const;
    bool askClassifyOption();
    // "Show &number of points/class".
    void showPointsPerClass();
    // "Copy DataPoints": the plotted rows into the ClipData sheet, headed "Row" and the plotted
    // field names, one row per point; then the window draws from ClipData ("ClipData" in the
    // table boxes) and says "Ready. Data on ClipData sheet!". "No data" when nothing is plotted.
    // A figure opened from a graph file copies its own points under its axis titles, and the
    // definition then names those columns.
    bool copyDataPoints();

    // "Change X to Y": swaps the X and Y table/field pairs of the definition.
    void swapXY();
    // "Check Linking": "Tables are linked as follows" with one line per join of the plotted
    // tables, or "No link to join tables " + the two tables joined by " and ". False when some
    // pair is not linked or nothing is chosen.
    bool checkLinking();
    // "Run active SQL": the SELECT of the last draw from the database; empty after a ClipData
    // draw or before any.
    const QString& activeStatement() const { return activeStatement_; }

    // "Save Graph State" keeps the definition and the axis scale state of this window;
    // "Restore Graph State" puts them back and draws (false when nothing was kept or the draw
    // failed).
    void saveGraphState();
    bool restoreGraphState();

    // What the table boxes offer: the session's tables, or "ClipData" when the rows come from
    // the sheet; and what a field box offers for its table (the sheet's headings for ClipData).
    static QString clipDataTable() { return QStringLiteral("ClipData"); }
    QStringList tableChoices() const;
    QStringList fieldChoices(const QString& table) const;

    // Kept in lastfiles.ini, section "LastGraph", on close; read back by "Draw the Last Fig of
    // Previous Session", which draws only for the same session database.
    bool storeLastFigure(const QString& lastFilesPath) const;
    bool drawLastFigure(const QString& lastFilesPath);

    // The chart's "Legend" menu: "Show Legend"/"Hide Legend" flips, the corner, and the order of
    // the legend ("Order of Items in the Legend"): the named series in that order, the others
    // left out of the legend.
    QString legendMenuCaption() const;
    void toggleLegend() { figure_.legend.visible = !figure_.legend.visible; }
    void setLegendPosition(LegendPosition position) { figure_.legend.position = position; }
    void orderLegend(const QStringList& names);
    // "Fills": how filled areas are drawn; "Bubble Options...": the largest bubble's diameter in
    // pixels (its input box; 4 to 200; false when cancelled or refused).
    void setFillMode(Figure::FillMode mode) { figure_.fillMode = mode; }
    bool askBubbleSize();
    static QString bubbleSizePrompt() {
        return QStringLiteral("Give the diameter of the largest bubble in pixels (4 - 200)");
    }
    // "X axis scale" / "Y axis scale" with the texts of the two boxes; "Reset" back to the
    // automatic scale. False after the message that says why nothing changed.
    bool setAxisScale(AxisId axis, const QString& min, const QString& max);
    void resetScale();
    // The scale dialog's "&Apply" with its boxes X min, X max, Y min, Y max.
    bool applyScaleDialog(const std::array<QString, 4>& boxes);
    // "X:Y Axis Ratio..." (its input box), "XY is perfect square" (1:1) and "Original size" (no
    // fixed ratio); each scales the figure again.
    bool askAxisRatio();
    void setAxisRatio(std::optional<double> xPerY);

    // Choosing a graph type loads its default chart template ("DefChart" + type + ".oc2") from
    // the first of the folders that has one; false when none has.
    bool loadTemplateFor(const QString& graphType, const QStringList& folders);
    // "Save As Default Template" into the folder; "Save Template"/"Open Template" by path.
    bool saveDefaultTemplate(const QString& folder) const;
    bool saveTemplate(const QString& path) const;
    bool openTemplate(const QString& path);

    // "Open AKR" / "Save AKR": the whole figure, not its definition. False after the message.
    bool openGraphFile(const QString& path);
    bool saveGraphFile(const QString& path);
    // After the picture was copied to the clipboard: saved as a graph file when automatic saving
    // is "Each time when copied to clipboard".
    void pictureCopied();

    void useFilter(const QString& view) override;

    // The "Axis" menu beyond the scale operations above. Reversing, grids, titles, the label
    // frequency and the second Y axis change the figure as it is (later draws keep them, the
    // titles excepted); the logarithmic switch and the ratio scale the figure again.
    // "X axis &scale ..." / "Y axis &scale": the min box, then the max box, each pre-filled
    // with the current end. False when cancelled or refused (after the message).
    bool askAxisScale(AxisId axis);
    // "&Linear" / "Lo&g" under X or Y; the second Y axis follows Y.
    void setLogarithmic(AxisId axis, bool logarithmic);
    // "X Is &Reversed" / "Y Is &Reversed".
    void setReversed(AxisId axis, bool reversed);
    // "&Grid": "&None", "&Solid", "&Dashed", "D&otted".
    void setGrid(AxisId axis, GridStyle style);
    // "&Change X axis title" / "&Change Y axis title": "Give title for x-axis" (y-axis). While
    // aliases are in use ("Use Aliasnames" and a writer set), "Write in database as aliasname
    // to be used?" follows and Yes hands the writer the axis's table, field and the new title.
    // While they are in use, each draw titles an axis with the reader's alias of its table and
    // field when there is one, else with the field name.
    using AliasWriter =
        std::function<void(const QString& table, const QString& field, const QString& alias)>;
    using AliasReader = std::function<QString(const QString& table, const QString& field)>;
    void setAliasWriter(AliasWriter writer) { aliasWriter_ = std::move(writer); }
    void setAliasReader(AliasReader reader) { aliasReader_ = std::move(reader); }
    bool useAliases = false; // "Use Aliasnames"
    // The axis titles of the figure drawn last, anew (after "Use Aliasnames" was switched).
    void retitle() {
        if (hasFigure_)
            setTitles();
    }
    bool askAxisTitle(AxisId axis);
    // "Frequency for X-axis label...": every n-th X label; other answers are ignored.
    bool askLabelFrequency();
    // "Change units": multiplies the drawn values of an axis slot (X, Y, or the Z of bubbles and
    // ternary components) by the factor, gives an X or Y axis its new title and scales the
    // figure again. Nothing is fetched anew.
    void rescaleDrawnValues(int slot, double factor, const QString& title);
    // "Show Y&2 axis".
    void showY2Axis(bool visible) { figure_.y2Visible = visible; }
    // "&Freeze scale": "X and Y" frees both when both are frozen and freezes both otherwise;
    // "X" and "Y" flip their own flag.
    enum class Freeze { XAndY, X, Y };
    void toggleFreeze(Freeze which);
    // "&Ratio Is Fixed": while fixed, turns the fixed ratio off and nothing else. Otherwise a
    // ratio never set is first taken from the plot area as shown, then the ratio input follows
    // (askAxisRatio). True when the ratio is fixed afterwards.
    bool toggleRatioFixed();

private:
    // One pass of the last draw: its definition, its rows and how many series it gave, so that
    // "Copy DataPoints" writes the plotted rows as they were fetched.
    struct DrawnPass {
        DiagramDefinition definition;
        FetchedRows fetched;
        size_t seriesCount = 0;
    };
    // The pipeline; addToLog: a new entry in the figure log (not for a redraw from the log).
    bool drawDefinition(const QString& command, bool addToLog);
    bool runPipeline(const QString& command, bool addToLog);
    // Steps 5 and 6 for one definition: rows, then series; false after a message.
    bool fetch(const DiagramDefinition& d, const QString& filter, FetchedRows& out);
    std::vector<Series> buildSeries(const DiagramDefinition& d, const FetchedRows& f) const;
    void applyGraphType(std::vector<Series>& series);
    void setTitles();
    QString axisName(int slot) const;
    void stop(MessageKind kind, const QString& text);
    // The scale pass over the figure; a ternary figure always shows -5 ... 105 with its frame.
    void rescale();
    bool isTernary() const { return definition.graphType == QLatin1String("Ternary"); }

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    ClipDataSource clipData_;
    Recorder recorder_;
    std::function<QSizeF(const Figure&)> meter_;
    Figure figure_;
    std::vector<DrawnPass> drawn_;
    QString activeStatement_;
    std::optional<std::pair<DiagramDefinition, AxisScaleState>> savedState_;
    qsizetype fetched_ = 0;
    bool hasFigure_ = false;
    QStringList log_;
    std::vector<DiagramDefinition> logged_; // one per log entry
    AliasWriter aliasWriter_;
    AliasReader aliasReader_;
    Overlay overlay_;
};
