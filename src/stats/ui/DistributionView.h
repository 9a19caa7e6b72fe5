#pragma once
// The "Distribution Histogram / Table" window: pickers, the classification panel, the class
// table with its generators and the bar chart. Everything it does goes to DistributionWindow.
#include "stats/DistributionWindow.h"
#include "stats/ui/StatisticsPickers.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QRadioButton;
class QTableView;
class SheetTableModel;
class StatisticsFigurePanel;

class DistributionView : public QWidget {
    Q_OBJECT
public:
    DistributionView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                     StatisticsPickers::ClipData clipData, QWidget* parent = nullptr);
    ~DistributionView() override;

    DistributionWindow& controller() { return window_; }
    void setTable(const QString& table);
    void refreshLists();
    bool draw();
    // After the controller's settings were set from outside (a PictureBook figure): the boxes,
    // the class table and the chart show them.
    void showController();
    StatisticsFigurePanel* chart() const { return chart_; }
    QMenuBar* menuBar() const { return menuBar_; }
    QTableView* classTable() const { return classView_; }
    // "&View data": the counted rows in a sheet of their own.
    QWidget* viewData();

private:
    void takeChoices();
    // After the controller changed: the boxes, the class table and the chart anew.
    void showState();
    int currentRow() const;
    // A chart option changed: into the chart, and the chart drawn anew.
    void chartChanged(const std::function<void(DistributionChart&)>& change);

    Dialogs& dialogs_;
    DistributionWindow window_;
    StatisticsPickers pickers_;
    QComboBox *table_, *field_, *filter_;
    QCheckBox *clipData_, *acceptNulls_, *useFilter_, *manual_, *cumulative_, *caseSense_;
    QRadioButton *count_, *percent_, *cumUp_, *cumDown_;
    std::vector<std::pair<QRadioButton*, StatisticsComponent::DistributionRead>> fieldIs_;
    QCheckBox *labels_, *values_; // "Show" a statistic over each bar, or its count
    QComboBox *labelStatistic_, *decimals_;
    QLineEdit *min_, *max_, *minUsed_, *maxUsed_, *classes_, *range_, *maxClasses_;
    Sheet shownTable_;
    SheetTableModel* classModel_;
    QTableView* classView_;
    StatisticsFigurePanel* chart_;
    QMenuBar* menuBar_;
};
