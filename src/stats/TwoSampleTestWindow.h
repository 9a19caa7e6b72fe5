#pragma once
// The t-test window ("t-test"): two samples, the X field against the Y field, or, when "B Is
// Classifier", two classes of the X field split by the Y field. Writes one result sheet: the
// basic statistics of both samples side by side with their relative difference, then the pooled
// and Welch t-tests, the F test, the paired t-test and the two-sample Kolmogorov-Smirnov test,
// each with its degrees of freedom, statistic, significance and verdict. Talks to the person
// only through Dialogs and Status. Holds its caller's session, which must outlive it.
#include "platform/Dialogs.h"
#include "platform/Sheet.h"
#include "stats/TwoSampleTests.h"

#include <functional>

class SessionDatabase;
class StatisticsComponent;
class Status;

class TwoSampleTestWindow {
public:
    using ClipDataSource = std::function<const Sheet*()>;

    TwoSampleTestWindow(SessionDatabase& session, Dialogs& dialogs, Status& status);

    static QString caption() { return QStringLiteral("t-test"); }
    static QString title() {
        return QStringLiteral("t, F and Kolmogorov-Smirnov tests of difference in means, "
                              "variances and distribution");
    }
    static QString cannotBeCalculated() { return QStringLiteral("Cannot be calculated"); }

    QString xTable, xField; // sample A
    QString yTable, yField; // sample B, or the classifier
    bool yIsClassifier = false;
    // The classes compared when Y is a classifier; the first two when empty or not found.
    QString classA, classB;
    bool useClipData = false;
    bool useFilter = false;
    QString filter; // without its "f_"

    void setClipDataSource(ClipDataSource source) { clipData_ = std::move(source); }

    // "&Execute": the result sheet anew. False when nothing was compared.
    bool execute();
    const Sheet& result() const { return result_; }
    // The classes of the last run with Y as classifier, in order of first appearance.
    const QStringList& classes() const { return classes_; }

private:
    bool load(StatisticsComponent& component);
    void writeBasicStatistics(StatisticsComponent& component, int columnA, int classA, int columnB,
                              int classB, const QStringList& names);
    void writeTest(int& row, const QString& heading, const std::optional<TwoSampleTestResult>& r,
                   const QString& statisticName);

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    ClipDataSource clipData_;
    Sheet result_;
    QStringList classes_;
};
