#include "stats/ui/ComparisonWindowSet.h"

#include "stats/model/ui/LinearModelView.h"
#include "stats/ui/CorrelationView.h"
#include "stats/ui/TwoSampleTestView.h"

ComparisonWindowSet::ComparisonWindowSet(Frame frame, QObject* parent)
    : QObject(parent)
    , frame_(std::move(frame)) {}

CorrelationView* ComparisonWindowSet::openCorrelation() {
    if (correlation_) {
        frame_.activate(correlation_);
        return correlation_;
    }
    correlation_ =
        new CorrelationView(frame_.session, frame_.dialogs, frame_.status, frame_.clipData);
    correlation_->showHelp = frame_.showHelp;
    frame_.showChild(correlation_, QStringLiteral("Cor"), {900, 640});
    return correlation_;
}

TwoSampleTestView* ComparisonWindowSet::openTwoSampleTest() {
    if (twoSampleTest_) {
        frame_.activate(twoSampleTest_);
        return twoSampleTest_;
    }
    twoSampleTest_ =
        new TwoSampleTestView(frame_.session, frame_.dialogs, frame_.status, frame_.clipData);
    frame_.showChild(twoSampleTest_, QStringLiteral("FT_Test"), {820, 640});
    return twoSampleTest_;
}

LinearModelView* ComparisonWindowSet::openLinearModel() {
    if (linearModel_) {
        frame_.activate(linearModel_);
        return linearModel_;
    }
    linearModel_ =
        new LinearModelView(frame_.session, frame_.dialogs, frame_.status, frame_.clipData);
    frame_.showChild(linearModel_, QStringLiteral("Model"), {1000, 700});
    return linearModel_;
}

void ComparisonWindowSet::refreshLists() {
    if (correlation_)
        correlation_->refreshLists();
    if (twoSampleTest_)
        twoSampleTest_->refreshLists();
    if (linearModel_)
        linearModel_->refreshLists();
}
