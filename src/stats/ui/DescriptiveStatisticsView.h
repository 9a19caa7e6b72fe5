#pragma once
// The "Descriptive statistics" window: the pickers, "&Execute", one tab per result sheet and the
// copy and save menus. Everything it does goes to DescriptiveStatistics.
#include "stats/DescriptiveStatistics.h"
#include "stats/ui/StatisticsPickers.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QMenuBar;
class QTabWidget;

class DescriptiveStatisticsView : public QWidget {
    Q_OBJECT
public:
    DescriptiveStatisticsView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                              StatisticsPickers::ClipData clipData, QWidget* parent = nullptr);

    DescriptiveStatistics& controller() { return window_; }
    // Chooses the table (the grid opens the window on its own table).
    void setTable(const QString& table);
    void refreshLists();
    // "&Execute": the choices into the controller, then the sheets into the tabs.
    bool execute();
    QTabWidget* tabs() const { return tabs_; }
    QMenuBar* menuBar() const { return menuBar_; }

private:
    void copyText(const std::optional<QString>& text);
    // "&Print": the current sheet as a table.
    void print();
    void showSheets();

    Dialogs& dialogs_;
    DescriptiveStatistics window_;
    StatisticsPickers pickers_;
    QComboBox* table_;
    QComboBox* classTable_;
    QComboBox* classField_;
    QCheckBox* clipData_;
    QCheckBox* useFilter_;
    QComboBox* filter_;
    QComboBox* weight_;
    QTabWidget* tabs_;
    QMenuBar* menuBar_;
};
