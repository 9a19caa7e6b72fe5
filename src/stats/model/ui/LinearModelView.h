#pragma once
// The "Linear Model" window: the item and table pickers, the available fields and the ordered
// model parameters, the options, "Create Model", the result book in tabs and the chart ("Bar
// Chart>>", "Line Chart>>", a double click on the model table for the X-Y chart), the model
// templates. Everything it computes goes to LinearModelWindow.
#include "stats/model/LinearModelWindow.h"
#include "stats/ui/StatisticsPickers.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QTabWidget;
class StatisticsFigurePanel;

class LinearModelView : public QWidget {
    Q_OBJECT
public:
    LinearModelView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                    StatisticsPickers::ClipData clipData, QWidget* parent = nullptr);

    LinearModelWindow& controller() { return window_; }
    void refreshLists();
    // "Create Model": the choices into the controller, then the book into the tabs.
    bool createModel();
    // The chart buttons and the double click on the model table.
    void showBarChart();
    void showLineChart();
    void showXyChart();
    bool openTemplate();
    bool saveTemplate();
    StatisticsFigurePanel* chart() const { return chart_; }
    QTabWidget* tabs() const { return tabs_; }
    QMenuBar* menuBar() const { return menuBar_; }

private:
    void readChoices();
    void showChoices();
    void showBook();
    QString templateFolder() const;

    Dialogs& dialogs_;
    LinearModelWindow window_;
    StatisticsPickers pickers_;
    QComboBox* yTable_;
    QComboBox* yField_;
    QComboBox* xTable_;
    QListWidget* available_;
    QListWidget* items_;
    QCheckBox* useAll_;
    QCheckBox* fixedOrder_;
    QLineEdit* maxVars_;
    QLineEdit* rMin_;
    QCheckBox* useFilter_;
    QComboBox* filter_;
    QCheckBox* queries_;
    QCheckBox* withoutTableName_;
    QTabWidget* tabs_;
    StatisticsFigurePanel* chart_;
    QMenuBar* menuBar_;
    Workbook shownBook_; // what the tabs show
};
