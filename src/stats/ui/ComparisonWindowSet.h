#pragma once
// The statistics windows that compare fields or samples (the correlation matrix, the t-test
// window and the linear model) as children of the frame: at most one of each. The frame hands in
// how a child is shown and brought forward; this class only opens the windows.
#include "stats/ui/StatisticsPickers.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <functional>

class Dialogs;
class SessionDatabase;
class Status;
class CorrelationView;
class TwoSampleTestView;
class LinearModelView;
class QWidget;

class ComparisonWindowSet : public QObject {
    Q_OBJECT
public:
    struct Frame {
        SessionDatabase& session;
        Dialogs& dialogs;
        Status& status;
        StatisticsPickers::ClipData clipData;
        // Shows a widget as a child window; its place is kept under the short name.
        std::function<void(QWidget* window, const QString& shortName, QSize size)> showChild;
        std::function<void(QWidget* window)> activate;
        std::function<void()> showHelp;
    };

    explicit ComparisonWindowSet(Frame frame, QObject* parent = nullptr);

    // "Correlation matrix" (Statistics menu).
    CorrelationView* openCorrelation();
    // "t-test" (Statistics menu).
    TwoSampleTestView* openTwoSampleTest();
    // "Linear Model" (Statistics menu).
    LinearModelView* openLinearModel();
    // After the session database changed: the pickers refilled.
    void refreshLists();

private:
    Frame frame_;
    QPointer<CorrelationView> correlation_;
    QPointer<TwoSampleTestView> twoSampleTest_;
    QPointer<LinearModelView> linearModel_;
};
