#pragma once
// The "Correlation matrix" window: the table, second table, classifier and filter pickers,
// "&Execute", one tab per result sheet, the copy, save, delete and display tools. Everything it
// computes goes to CorrelationWindow.
#include "stats/CorrelationWindow.h"
#include "stats/ui/StatisticsPickers.h"

#include <QPrinter>
#include <QWidget>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QMenuBar;
class QTabWidget;

class CorrelationView : public QWidget {
    Q_OBJECT
public:
    CorrelationView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                    StatisticsPickers::ClipData clipData, QWidget* parent = nullptr);

    CorrelationWindow& controller() { return window_; }
    void refreshLists();
    // "&Execute": the choices into the controller, then the sheets into the tabs.
    bool execute();
    QTabWidget* tabs() const { return tabs_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // "Quv &Help" (topic "Correlation").
    std::function<void()> showHelp;

private:
    int currentPair() const;
    // The field of the current cell (1-based), 0 when none.
    int currentField() const;
    void showSheets();
    void repaintSheets();

    Dialogs& dialogs_;
    CorrelationWindow window_;
    StatisticsPickers pickers_;
    QComboBox* table_;
    QComboBox* secondTable_;
    QComboBox* classTable_;
    QComboBox* classField_;
    QCheckBox* clipData_;
    QCheckBox* useFilter_;
    QComboBox* filter_;
    QTabWidget* tabs_;
    QMenuBar* menuBar_;
    QAction* minimumCount_ = nullptr;
    QPrinter printer_; // keeps "Print Options..." between prints
};
