#pragma once
// "Statistics..." of the diagram window: each axis over all points and per class, in a table
// shown modally; "No data" for an empty figure.
#include "figure/Figure.h"

class Dialogs;
class QWidget;

class FigureStatisticsDialog {
public:
    static void show(const Figure& figure, Dialogs& dialogs, QWidget* parent);
};
