#pragma once
// The "Box & Whisker Graph" window: pickers, options, the chart and the figure log; the
// "Statistics" table window and the options dialog open from it. Everything it does goes to
// BoxPlotWindow.
#include "stats/BoxPlotWindow.h"
#include "stats/ui/StatisticsPickers.h"

#include <QWidget>

class BoxWhiskerSettings;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QRadioButton;
class StatisticsFigurePanel;
class WindowGeometry;

class BoxPlotView : public QWidget {
    Q_OBJECT
public:
    BoxPlotView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                BoxWhiskerSettings& settings, StatisticsPickers::ClipData clipData,
                QWidget* parent = nullptr);

    BoxPlotWindow& controller() { return window_; }
    void setStatisticsTable(const QString& table);
    void refreshLists();
    // Where the "Statistics" window and the options dialog open and are remembered; none by
    // default.
    void setWindowGeometry(const WindowGeometry* geometry) { geometry_ = geometry; }
    // "&Draw": the choices into the controller, then the figure into the chart.
    bool draw();
    // The controller's choices into the boxes and its figure into the chart (after a draw
    // from elsewhere, e.g. a PictureBook).
    void showController();
    // "&Statistics...": the box table in its own window ("Statistics").
    QWidget* showStatistics();
    // "&Box and Whisker": the options dialog, not modal.
    QWidget* showOptions();
    StatisticsFigurePanel* chart() const { return chart_; }
    QMenuBar* menuBar() const { return menuBar_; }

private:
    void showFigure();

    Dialogs& dialogs_;
    BoxWhiskerSettings& settings_;
    const WindowGeometry* geometry_ = nullptr;
    BoxPlotWindow window_;
    StatisticsPickers pickers_;
    QComboBox *statTable_, *statField_, *classTable_, *classField_, *filter_;
    QCheckBox *clipData_, *useFilter_, *showFilter_;
    QLineEdit *lower_, *upper_;
    QRadioButton* median_;
    QCheckBox *extremes_, *outliers_, *middle_, *box_, *minMax_;
    std::vector<std::pair<QRadioButton*, BoxPlotWindow::Order>> order_;
    QListWidget* log_;
    StatisticsFigurePanel* chart_;
    QMenuBar* menuBar_;
};
