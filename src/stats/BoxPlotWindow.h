#pragma once
// The box-and-whisker window ("Box & Whisker Graph"): one field ("Statistics Element") split by
// a classifier field into classes, one box per class with enough samples, in the chosen order;
// the box table of the "Statistics" window (13 columns, a row per kept class), the figure, the
// figure log and the Y scale. Reads and updates the shared box-and-whisker settings. Talks to
// the person only through Dialogs and Status. Holds its caller's session, which must outlive it.
#include "figure/Figure.h"
#include "platform/Dialogs.h"
#include "platform/Sheet.h"
#include "stats/BoxClass.h"
#include "stats/BoxPlotFigure.h"

#include <functional>

class BoxWhiskerSettings;
class SessionDatabase;
class StatisticsComponent;
class Status;

class BoxPlotWindow {
public:
    using ClipDataSource = std::function<const Sheet*()>;
    enum class Order { User, Decr, Incr, AZ };

    BoxPlotWindow(SessionDatabase& session, Dialogs& dialogs, Status& status,
                  BoxWhiskerSettings& settings);

    static QString caption() { return QStringLiteral("Box & Whisker Graph"); }

    QString statTable, statField;   // the Y axis
    QString classTable, classField; // the X axis
    bool useClipData = false;
    bool useFilter = false;
    QString filter;          // without its "f_"
    bool showFilter = false; // "Show in graph"
    // "Lower percentile" and "Upper percentile" as typed; a draw rewrites them.
    QString lowerText, upperText;
    BoxParts parts;
    Order order = Order::User;
    // The class order of the options dialog, for the "User" order; filled by a draw when empty.
    QStringList userOrder;

    void setClipDataSource(ClipDataSource source) { clipData_ = std::move(source); }

    // "&Draw". False when nothing was drawn (after the message that says why).
    bool draw();
    const Figure& figure() const { return figure_; }
    // "Save": the figure as a graph file, as the diagram window saves one; false after "Error in
    // saving." (or with nothing drawn yet).
    bool saveGraphFile(const QString& path);
    bool hasFigure() const { return hasFigure_; }
    // The kept classes in drawing order.
    const std::vector<BoxClass>& boxes() const { return boxes_; }
    // The "Statistics" window's table: headings in row 1, a row per kept class.
    Sheet boxTable() const;
    const QStringList& figureLog() const { return log_; }
    bool drawFromLog(int index);

    // "&Y Axis Is Logarhitmic".
    void setLogarithmic(bool on);
    // "Scale...": asks the Y minimum and maximum; Cancel keeps the automatic end.
    void scale();
    // "Chart Properties....": asks the header and the axis titles (empty: the drawn ones).
    bool askChartProperties();

private:
    struct Entry {
        QString statTable, statField, classTable, classField, filter;
        bool useClipData = false, useFilter = false;
    };
    bool load(StatisticsComponent& component);
    BoxClass boxOf(const StatisticsComponent& component, const QString& name) const;
    void sortBoxes();
    void rebuildFigure();

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    BoxWhiskerSettings& settings_;
    ClipDataSource clipData_;
    std::vector<BoxClass> boxes_;
    Figure figure_;
    bool hasFigure_ = false;
    bool logarithmic_ = false;
    std::optional<double> yMin_, yMax_;
    QString header_, xTitle_, yTitle_; // typed in "Chart Properties...."; empty: as drawn
    qsizetype total_ = 0;
    QStringList log_;
    std::vector<Entry> logEntries_;
};
