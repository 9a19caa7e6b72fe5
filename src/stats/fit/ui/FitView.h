#pragma once
// The "QUV Data - Fit" window: the data sheet, the curve choices (optTLType, the order, the
// other equations, the period), "Force through", the buttons, the result sheet and the chart.
// Everything it computes goes to FitWindow.
#include "stats/fit/FitWindow.h"

#include <QWidget>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QSpinBox;
class QTableView;
class SheetTableModel;
class StatisticsFigurePanel;

class FitView : public QWidget {
    Q_OBJECT
public:
    FitView(Dialogs& dialogs, Status& status, QWidget* parent = nullptr);

    FitWindow& controller() { return window_; }
    // The diagram the points come from and Accept goes to; its points are loaded.
    void openFor(DiagramWindow* diagram);
    // "Fit" / "Best fit" with the choices of the controls; the results shown.
    bool fit();
    bool bestFit();
    bool accept();
    StatisticsFigurePanel* chart() const { return chart_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // Told after Accept changed the diagram.
    std::function<void()> accepted;

private:
    void readChoices();
    void showChoices();
    void refresh();
    bool run(bool best);

    Dialogs& dialogs_;
    FitWindow window_;
    QButtonGroup* models_;
    QSpinBox* order_;
    QComboBox* other_;
    QLineEdit* period_;
    QCheckBox* force_;
    QLineEdit* forceX_;
    QLineEdit* forceY_;
    QTableView* dataTable_;
    SheetTableModel* dataModel_;
    QTableView* resultTable_;
    SheetTableModel* resultModel_;
    StatisticsFigurePanel* chart_;
    QMenuBar* menuBar_;
    Sheet shownResults_;
};
