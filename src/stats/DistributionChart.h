#pragma once
// The distribution window's bar chart: one bar per class, n or % after the Y-axis choice, the
// optional cumulative curve, labels over the bars (a statistic of the class's values or its
// count) and the chart's own options from its menus (grid, bar colour, reversed X, log Y, axis
// scales, header, which X labels show). Asks its numbers through Dialogs. Value type.
#include "figure/Figure.h"
#include "platform/Sheet.h"
#include "stats/DistributionClass.h"

#include <optional>
#include <vector>

class Dialogs;

class DistributionChart {
public:
    // "Label (in italic):" over each bar.
    enum class BarLabel { None, Count, Avg, Min, Max, StDev, Median };

    bool showPercent = false; // Y axis in "%" rather than "n"
    bool cumulative = false;
    bool cumulativeUp = true;
    BarLabel barLabel = BarLabel::None;
    int decimals = 2; // "Decimals" of the bar labels
    bool showGrid = false;
    FigureColor barColor{70, 110, 190};
    bool xReversed = false;
    bool yLogarithmic = false;
    std::optional<double> xMin, xMax, yMin, yMax; // none: automatic
    QString header;                               // none: the field's name
    int labelEvery = 1;                           // every n-th X label; 0 none
    bool onlyNumbers = false;                     // X labels 1, 2, ... in place of names
    bool rotateLabels = false;                    // "Rotate labels": upright X labels
    int barSpace = 25;                            // "S&pace between Bars...", % of a class
    QString xTitle;                               // "X title options"; none: the field's name
    QString yTitle;                               // "&Chart Properties"; none: "n (tot=...)"
    FigureLook look; // "&Font...", "Plot Area Options...", "Chart Area Options..."

    // table: the class table with its counts; values: per class the values counted in it.
    Figure make(const QString& field, const std::vector<DistributionClass>& classes,
                const Sheet& table, qsizetype outside,
                const std::vector<std::vector<double>>& values) const;

    // "X &Scale", "Y Scale": asks both ends (Cancel or no number: automatic); false after
    // "Minimum >= maximum".
    bool askXScale(Dialogs& dialogs);
    bool askYScale(Dialogs& dialogs);
    // "&Headers...": asks the header; an empty answer gives the field's name back.
    bool askHeader(Dialogs& dialogs);
    // "Show every nth label, n=": 0 shows none, 1 all.
    bool askLabelEvery(Dialogs& dialogs);
    // "&Bar Colour...": a colour name or #rrggbb.
    bool askBarColor(Dialogs& dialogs);
    // "S&pace between Bars...": 0 to 90 % of a class's width.
    bool askBarSpace(Dialogs& dialogs);
    // "X title options": the X axis title; an empty answer gives the field's name back.
    bool askXTitle(Dialogs& dialogs);

private:
    QString barLabelText(const std::vector<double>& values, double count) const;
};
