#pragma once
// The frame's single-instance windows, each made on first use and brought forward afterwards:
// the statistics windows, the query and catalogue windows, the converter, user calculations
// and the user guide. Lives inside its frame and uses the frame's child-window handling.
#include <QString>

class MainFrame;
class QWidget;
class UserCalcView;

class FrameWindowOpeners {
public:
    explicit FrameWindowOpeners(MainFrame& frame)
        : frame_(frame) {}

    QWidget* openDescriptiveStatistics(const QString& table);
    QWidget* openBoxPlot(const QString& table);
    QWidget* openDistribution(const QString& table);
    QWidget* openQueryWindow();
    QWidget* openCatalogue();
    QWidget* openConverter();
    QWidget* openPopulation();
    UserCalcView* openUserCalc();
    QWidget* openHelp();

private:
    MainFrame& frame_;
};
