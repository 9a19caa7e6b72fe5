#pragma once
// The chart of a statistics window: shows a figure as the diagrams do, copies it (or its legend)
// to the clipboard, prints it and saves it as PNG, SVG or PDF.
#include "figure/Figure.h"

#include <QWidget>

class Dialogs;
class QCustomPlot;

class StatisticsFigurePanel : public QWidget {
    Q_OBJECT
public:
    explicit StatisticsFigurePanel(Dialogs& dialogs, QWidget* parent = nullptr);

    void show(const Figure& figure);
    // "&Copy": the picture to the clipboard.
    void copy() const;
    // "Copy &Legend": the legend's picture; false after "No data" when no legend shows.
    bool copyLegend() const;
    // "&Print": the picture on a page the print dialog chooses.
    void print();
    // "Save &As": asks a file; false when cancelled or not written ("Error in writing file").
    bool saveAs();
    QCustomPlot* plot() const { return plot_; }

private:
    Dialogs& dialogs_;
    QCustomPlot* plot_;
    Figure figure_;
};
