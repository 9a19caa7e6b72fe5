#pragma once
// The fit window ("QUV Data - Fit"): X/Y points in a data sheet (from the XY diagram it was
// opened from, or typed and pasted), the chosen curve, "Fit" and "Best fit" with their result
// sheet (Equation, R squared, Probability, Chi-square), the figure of points and curve, and
// "Accept", which hands the curve to the diagram as a trendline with its "y=" and "R^2="
// labels and redraws it. Talks to the person only through Dialogs and Status.
#include "figure/Figure.h"
#include "platform/Sheet.h"
#include "stats/fit/CurveFitter.h"

class DiagramWindow;
class Dialogs;
class Status;

class FitWindow {
public:
    FitWindow(Dialogs& dialogs, Status& status);

    static QString caption() { return QStringLiteral("QUV Data - Fit"); }
    static QString noData() { return QStringLiteral("No data"); }
    static QString noDiagram() { return QStringLiteral("No XY diagram to accept the fit"); }
    static const QStringList& resultRows();

    CurveFitRequest request;
    bool forceThrough = false; // "Force through"
    QString forceX = QStringLiteral("0.0");
    QString forceY = QStringLiteral("0.0");
    bool showPoints = true; // "Draw pnts"
    bool showLine = true;   // "Draw line"

    // The diagram Accept hands its trendlines to; it must outlive this window or be reset.
    void setDiagram(DiagramWindow* diagram) { diagram_ = diagram; }
    // The points of the diagram's figure into the data sheet (every series); false after "No
    // data" when there is no drawn figure or it has no points.
    bool loadFromDiagram();

    // The data sheet: headings "X(i)" and "Y(i)" in row 1, one point per row below.
    const Sheet& data() const { return data_; }
    Sheet& data() { return data_; }
    // The result sheet: row names in column 1, the last fit's values in column 2.
    const Sheet& results() const { return results_; }
    // "Paste data": tab-separated X and Y lines in place of the points; "Copy data values".
    bool pasteData(const QString& tsv);
    QString copyData() const;
    // "Delete Row" (a data row, 2 on) and "Remove point" (the n-th plotted point, 0-based).
    bool deleteRow(int row);
    bool removePoint(int index);
    // "Clear": no points, no fit.
    void clear();
    // The points with numbers for X and Y, in sheet order.
    std::vector<QPointF> points() const;

    // The up/down control of the polynomial order: refused (with the message) above what the
    // rows carry or above 9.
    bool setOrder(int order);
    // "Fit" / "Best fit": false after the message saying why there is no fit.
    bool fit();
    bool bestFit();
    const std::optional<CurveFit>& lastFit() const { return fit_; }
    // The note of the last fit (rows left out), empty when none.
    const QString& note() const { return note_; }

    Figure figure() const;
    // "Copy Formula", "Copy Fit output": nullopt after "No data" when nothing is fitted.
    std::optional<QString> formulaToCopy();
    std::optional<QString> outputToCopy();
    // "Accept": the fitted curve to the diagram as "Trendline n" (a moving average as
    // "Moving average n" over its period) with its labels; the diagram is redrawn.
    bool accept();
    // The diagram's "&Fit Linear": its points, a straight line, accepted at once.
    bool fitLinearToDiagram();

private:
    bool run(bool best);
    void showResults();
    std::optional<QPointF> forcedPoint(bool& ok);

    Dialogs& dialogs_;
    Status& status_;
    DiagramWindow* diagram_ = nullptr;
    Sheet data_;
    Sheet results_;
    std::optional<CurveFit> fit_;
    QString note_;
};
