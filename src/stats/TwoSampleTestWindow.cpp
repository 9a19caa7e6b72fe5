#include "stats/TwoSampleTestWindow.h"

#include "db/SessionDatabase.h"
#include "platform/Status.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"
#include "query/PairSelect.h"
#include "stats/ClassOrder.h"
#include "stats/ComponentLoader.h"
#include "stats/StatisticsComponent.h"

#include <cmath>

namespace {
// Rows of the basic statistics: caption and the component's name for it.
const std::pair<const char*, const char*> basicRows[] = {
    {"N", "N"},          {"Average", "AVG"},   {"Standard deviation", "STDEV"},
    {"Variance", "VAR"}, {"CV%", "CV"},        {"MIN", "MIN"},
    {"MAX", "MAX"},      {"MEDIAN", "MEDIAN"},
};

// The numbers of the column in the rows of the class (0 for all rows).
std::vector<double> valuesOf(const StatisticsComponent& c, int column, int classIndex) {
    std::vector<double> out = c.ColumnNumbers(column, classIndex);
    std::erase_if(out, [](double v) { return std::isnan(v); });
    return out;
}
} // namespace

TwoSampleTestWindow::TwoSampleTestWindow(SessionDatabase& session, Dialogs& dialogs, Status& status)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status) {}

bool TwoSampleTestWindow::load(StatisticsComponent& component) {
    // Column 1 is Y (the classifier when it classifies), column 2 is X.
    if (useClipData) {
        StatisticsComponent whole;
        if (!ComponentLoader::loadClipData(clipData_ ? clipData_() : nullptr, whole, dialogs_))
            return false;
        const int x = ComponentLoader::columnNamed(whole, xField);
        const int y = ComponentLoader::columnNamed(whole, yField);
        if (!x || !y) {
            dialogs_.message(MessageKind::Exclamation, QStringLiteral("No data"));
            return false;
        }
        component.SetSize(whole.RowCount(), 2);
        component.setColumnName(1, whole.ColumnName(y));
        component.setColumnName(2, whole.ColumnName(x));
        for (int r = 1; r <= whole.RowCount(); ++r) {
            component.setCellText(r, 1, whole.CellText(r, y));
            component.setCellText(r, 2, whole.CellText(r, x));
        }
        return true;
    }
    Connection* db = ComponentLoader::connection(session_, dialogs_);
    if (!db)
        return false;
    const FilterBaseResolver filters(*db, session_.catalogue());
    const LinkSearch links(session_.catalogue(), filters);
    const QString filterView = useFilter ? QStringLiteral("f_") + filter : QString();
    const QString sql = BuildPairSelect(links, yTable, xTable, filterView, yField, xField);
    if (sql.isEmpty()) {
        QStringList tables{yTable, xTable};
        if (useFilter)
            tables << filterView;
        tables.removeDuplicates();
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No link to join tables ") +
                                                       tables.join(QStringLiteral(" and ")));
        return false;
    }
    const QString error =
        ComponentLoader::stream(*db, ClassOrder::unordered(sql), {yField, xField}, component);
    if (!error.isEmpty()) {
        dialogs_.message(MessageKind::Critical, sql + QStringLiteral("\r\n") + error);
        return false;
    }
    return true;
}

bool TwoSampleTestWindow::execute() {
    result_.clear();
    classes_.clear();
    if (!useClipData &&
        (xTable.isEmpty() || xField.isEmpty() || yTable.isEmpty() || yField.isEmpty())) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No data"));
        return false;
    }
    status_.showStatus(QStringLiteral("Analyzing..."), 1);
    StatisticsComponent component;
    const bool loaded = load(component);
    status_.showStatus({}, 0);
    if (!loaded)
        return false;

    std::vector<double> a, b;
    std::optional<TwoSampleTestResult> paired;
    QStringList names;
    int indexA = 0, indexB = 0;
    if (yIsClassifier) {
        component.Classify(1);
        for (int k = 1; k <= component.ClassCount(); ++k)
            classes_ << component.ClassName(k);
        indexA = int(classes_.indexOf(classA)) + 1;
        indexB = int(classes_.indexOf(classB)) + 1;
        if (indexA == 0 || indexB == 0 || indexA == indexB) {
            indexA = 1;
            indexB = 2;
        }
        if (classes_.size() < 2) {
            dialogs_.message(MessageKind::Exclamation, QStringLiteral("No data"));
            return false;
        }
        a = valuesOf(component, 2, indexA);
        b = valuesOf(component, 2, indexB);
        names << QStringLiteral("Value: ") + classes_[indexA - 1]
              << QStringLiteral("Value: ") + classes_[indexB - 1];
    } else {
        a = valuesOf(component, 2, 0);
        b = valuesOf(component, 1, 0);
        // Pairs are the rows in which both are numbers.
        const std::vector<double> xs = component.ColumnNumbers(2, 0);
        const std::vector<double> ys = component.ColumnNumbers(1, 0);
        std::vector<double> pairA, pairB;
        for (size_t r = 0; r < xs.size(); ++r)
            if (!std::isnan(xs[r]) && !std::isnan(ys[r])) {
                pairA.push_back(xs[r]);
                pairB.push_back(ys[r]);
            }
        paired = TwoSampleTests::pairedT(pairA, pairB);
        names << component.ColumnName(2) << component.ColumnName(1);
    }
    if (a.empty() && b.empty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No data"));
        return false;
    }
    result_.setText(1, 1, title());
    // Classes of X (column 2), or X against Y (column 1) over all rows.
    writeBasicStatistics(component, 2, indexA, yIsClassifier ? 2 : 1, indexB, names);
    int row = result_.lastRow() + 2;
    writeTest(row,
              QStringLiteral("T-test (to test are the averages significantly different when "
                             "variances are equal)"),
              TwoSampleTests::pooledT(a, b), QStringLiteral("T"));
    writeTest(row,
              QStringLiteral("T-test (to test are the averages significantly different when "
                             "populations have unequal variances)"),
              TwoSampleTests::welchT(a, b), QStringLiteral("T"));
    writeTest(row, QStringLiteral("F-test (to test are the variances significantly different)"),
              TwoSampleTests::fTest(a, b), QStringLiteral("F"));
    writeTest(row,
              QStringLiteral("Paired T-test (to test are the averages significantly different in "
                             "paired samples)"),
              paired, QStringLiteral("T"));
    writeTest(row,
              QStringLiteral("Kolmogorov-Smirnov test (to test if continuous distributions are "
                             "equal)"),
              TwoSampleTests::kolmogorovSmirnov(a, b), QStringLiteral("D"));
    return true;
}

void TwoSampleTestWindow::writeBasicStatistics(StatisticsComponent& component, int columnA,
                                               int classA, int columnB, int classB,
                                               const QStringList& names) {
    result_.setText(3, 1, QStringLiteral("Basic statistics"));
    result_.setText(4, 1, QStringLiteral("Case"));
    result_.setText(4, 2, names.value(0));
    result_.setText(4, 3, names.value(1));
    result_.setText(4, 4, QStringLiteral("Rel.diff.%"));
    int row = 5;
    for (const auto& [caption, name] : basicRows) {
        result_.setText(row, 1, QString::fromLatin1(caption));
        component.SelectColumn(columnA, classA);
        const double va = component.Statistic(QString::fromLatin1(name));
        component.SelectColumn(columnB, classB);
        const double vb = component.Statistic(QString::fromLatin1(name));
        const bool hasA = va != component.NoValue(), hasB = vb != component.NoValue();
        if (hasA)
            result_.setNumber(row, 2, va);
        if (hasB)
            result_.setNumber(row, 3, vb);
        // Sample A is the reference the difference is measured against.
        if (hasA && hasB && va != 0)
            result_.setNumber(row, 4, (vb - va) * 100 / va);
        ++row;
    }
}

void TwoSampleTestWindow::writeTest(int& row, const QString& heading,
                                    const std::optional<TwoSampleTestResult>& r,
                                    const QString& statisticName) {
    result_.setText(row++, 1, heading);
    if (!r) {
        result_.setText(row++, 1, cannotBeCalculated());
        ++row;
        return;
    }
    result_.setText(row, 1, QStringLiteral("Degrees of freedom"));
    // The Kolmogorov-Smirnov test has no degrees of freedom; F has two.
    if (statisticName != QLatin1String("D"))
        result_.setNumber(row, 2, r->degreesOfFreedom);
    if (statisticName == QLatin1String("F"))
        result_.setNumber(row, 3, r->degreesOfFreedom2);
    ++row;
    result_.setText(row, 1, statisticName);
    result_.setNumber(row++, 2, r->statistic);
    result_.setText(row, 1, QStringLiteral("PROB% (significance)"));
    result_.setNumber(row++, 2, 100 * r->p);
    result_.setText(row++, 1, TwoSampleTests::verdict(r->p));
    ++row;
}
