#pragma once
// The "t-test" window: the X and Y pickers, "B Is Classifier" with the two classes compared,
// "&Execute" and the result sheet. Everything it computes goes to TwoSampleTestWindow.
#include "stats/TwoSampleTestWindow.h"
#include "stats/ui/StatisticsPickers.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QMenuBar;
class QTableView;

class TwoSampleTestView : public QWidget {
    Q_OBJECT
public:
    TwoSampleTestView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                      StatisticsPickers::ClipData clipData, QWidget* parent = nullptr);

    TwoSampleTestWindow& controller() { return window_; }
    void refreshLists();
    // "&Execute": the choices into the controller, then the result sheet into the table.
    bool execute();
    QTableView* table() const { return table_; }
    QMenuBar* menuBar() const { return menuBar_; }

private:
    void showResult();

    Dialogs& dialogs_;
    TwoSampleTestWindow window_;
    StatisticsPickers pickers_;
    QComboBox* xTable_;
    QComboBox* xField_;
    QComboBox* yTable_;
    QComboBox* yField_;
    QCheckBox* classifier_;
    QComboBox* classA_;
    QComboBox* classB_;
    QCheckBox* clipData_;
    QCheckBox* useQueries_;
    QCheckBox* useFilter_;
    QComboBox* filter_;
    QTableView* table_;
    QMenuBar* menuBar_;
    Sheet shown_;
};
