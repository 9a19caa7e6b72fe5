#include "stats/BoxPlotWindow.h"

#include "db/SessionDatabase.h"
#include "diagram/FigureFile.h"
#include "figure/ChartPropertyQuestions.h"
#include "platform/NumberText.h"
#include "platform/Status.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"
#include "query/PairSelect.h"
#include "stats/BoxWhiskerSettings.h"
#include "stats/ClassOrder.h"
#include "stats/ComponentLoader.h"
#include "stats/StatisticsComponent.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
double orNaN(const StatisticsComponent& c, const QString& name) {
    const double v = c.Statistic(name);
    return v == c.NoValue() ? std::numeric_limits<double>::quiet_NaN() : v;
}

QString percentText(double p) {
    return QString::number(std::lround(p));
}
} // namespace

BoxPlotWindow::BoxPlotWindow(SessionDatabase& session, Dialogs& dialogs, Status& status,
                             BoxWhiskerSettings& settings)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status)
    , settings_(settings) {
    lowerText = percentText(settings.lowerPercentile);
    upperText = percentText(settings.upperPercentile);
}

bool BoxPlotWindow::load(StatisticsComponent& component) {
    if (useClipData) {
        StatisticsComponent whole;
        if (!ComponentLoader::loadClipData(clipData_ ? clipData_() : nullptr, whole, dialogs_))
            return false;
        const int x = ComponentLoader::columnNamed(whole, classField);
        const int y = ComponentLoader::columnNamed(whole, statField);
        if (!x || !y) {
            dialogs_.message(MessageKind::Exclamation,
                             QStringLiteral("No statistics table or element selected!"));
            return false;
        }
        // The two columns, rows with an empty cell left out as the query leaves out Nulls.
        std::vector<int> kept;
        for (int r = 1; r <= whole.RowCount(); ++r)
            if (!whole.CellText(r, x).isEmpty() && !whole.CellText(r, y).isEmpty())
                kept.push_back(r);
        component.SetSize(int(kept.size()), 2);
        component.setColumnName(1, whole.ColumnName(x));
        component.setColumnName(2, whole.ColumnName(y));
        for (size_t i = 0; i < kept.size(); ++i) {
            component.setCellText(int(i + 1), 1, whole.CellText(kept[i], x));
            component.setCellText(int(i + 1), 2, whole.CellText(kept[i], y));
        }
        return true;
    }
    Connection* db = ComponentLoader::connection(session_, dialogs_);
    if (!db)
        return false;
    const FilterBaseResolver filters(*db, session_.catalogue());
    const LinkSearch links(session_.catalogue(), filters);
    const QString sql = BuildPairSelect(links, classTable, statTable,
                                        useFilter ? QStringLiteral("f_") + filter : QString(),
                                        classField, statField);
    if (sql.isEmpty()) {
        QStringList tables{classTable, statTable};
        if (useFilter)
            tables << QStringLiteral("f_") + filter;
        tables.removeDuplicates();
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No link to join tables ") +
                                                       tables.join(QStringLiteral(" and ")));
        return false;
    }
    // The ORDER BY only puts the classes in order, which the draw does by itself.
    const QString error = ComponentLoader::stream(*db, ClassOrder::unordered(sql),
                                                  {classField, statField}, component);
    if (!error.isEmpty()) {
        dialogs_.message(MessageKind::Critical, sql + QStringLiteral("\r\n") + error);
        return false;
    }
    return true;
}

BoxClass BoxPlotWindow::boxOf(const StatisticsComponent& c, const QString& name) const {
    BoxClass b;
    b.name = name;
    b.n = c.Statistic(QStringLiteral("N"));
    b.extremeLowCount = c.Statistic(QStringLiteral("N_EXTREMELOW"));
    b.outlierLowCount = c.Statistic(QStringLiteral("N_OUTLIERLOW"));
    b.nonOutlierMin = orNaN(c, QStringLiteral("NONOUTLIERMIN"));
    b.lowerBox = orNaN(c, QStringLiteral("PERC_") + percentText(settings_.lowerPercentile));
    b.middle =
        orNaN(c, parts.middleIsMedian ? QStringLiteral("MEDIAN") : QStringLiteral("AVERAGE"));
    b.upperBox = orNaN(c, QStringLiteral("PERC_") + percentText(settings_.upperPercentile));
    b.nonOutlierMax = orNaN(c, QStringLiteral("NONOUTLIERMAX"));
    b.outlierHighCount = c.Statistic(QStringLiteral("N_OUTLIERHIGH"));
    b.extremeHighCount = c.Statistic(QStringLiteral("N_EXTREMEHIGH"));
    b.min = orNaN(c, QStringLiteral("MIN"));
    b.max = orNaN(c, QStringLiteral("MAX"));
    // The points as lists: thousands of outliers asked for by name one at a time cost more
    // than the rest of the box.
    if (const BoxPoints* points = c.SelectedBoxPoints()) {
        b.extremeLow = points->extremeLow;
        b.outlierLow = points->outlierLow;
        b.outlierHigh = points->outlierHigh;
        b.extremeHigh = points->extremeHigh;
    }
    return b;
}

bool BoxPlotWindow::draw() {
    if (!useClipData && (statTable.isEmpty() || statField.isEmpty())) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("No statistics table or element selected!"));
        return false;
    }
    if (!useClipData && (classTable.isEmpty() || classField.isEmpty())) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Classifier table or element missing."));
        return false;
    }
    status_.showStatus(QStringLiteral("Drawing..."), 1);
    const auto lower = NumberText::fromText(QStringView(lowerText));
    const auto upper = NumberText::fromText(QStringView(upperText));
    if (lower && upper && BoxWhiskerSettings::acceptsPercentiles(*lower, *upper)) {
        settings_.lowerPercentile = double(std::lround(*lower));
        settings_.upperPercentile = double(std::lround(*upper));
    }
    lowerText = percentText(settings_.lowerPercentile);
    upperText = percentText(settings_.upperPercentile);

    StatisticsComponent component;
    if (!load(component)) {
        status_.showStatus({}, 0);
        return false;
    }
    component.setUpperBoxPercentile(settings_.upperPercentile);
    component.setLowerBoxPercentile(settings_.lowerPercentile);
    component.setOutlierCoefficient(settings_.outlierCoefficient);
    component.Classify(1);
    boxes_.clear();
    total_ = 0;
    std::vector<int> classes = ClassOrder::sorted(component);
    if (useClipData) // as they come
        std::sort(classes.begin(), classes.end());
    for (int i : classes) {
        component.SelectColumn(2, i);
        if (component.Statistic(QStringLiteral("N")) < settings_.minimumClassSize)
            continue;
        boxes_.push_back(boxOf(component, component.ClassName(i)));
        total_ += qsizetype(boxes_.back().n);
    }
    if (userOrder.isEmpty())
        for (int i : classes)
            userOrder << component.ClassName(i);
    sortBoxes();

    Entry entry{statTable, statField, classTable, classField, filter, useClipData, useFilter};
    QString line = statField + QStringLiteral(" vs. ") + classField;
    if (useFilter)
        line += QStringLiteral(" (Filt. ") + filter + u')';
    if (log_.isEmpty() || log_.back() != line) {
        log_ << line;
        logEntries_.push_back(entry);
    }
    rebuildFigure();
    hasFigure_ = true;
    // An empty chart says why: no class had enough numbers for a box.
    status_.showStatus(boxes_.empty() ? QStringLiteral("No box drawn: no class has %1 or more "
                                                       "values of %2")
                                            .arg(settings_.minimumClassSize)
                                            .arg(statField)
                                      : QString(),
                       0);
    return true;
}

void BoxPlotWindow::sortBoxes() {
    auto byMiddle = [](const BoxClass& a, const BoxClass& b) { return a.middle < b.middle; };
    switch (order) {
    case Order::Incr:
        std::stable_sort(boxes_.begin(), boxes_.end(), byMiddle);
        break;
    case Order::Decr:
        std::stable_sort(boxes_.begin(), boxes_.end(),
                         [&](const BoxClass& a, const BoxClass& b) { return byMiddle(b, a); });
        break;
    case Order::AZ:
        std::stable_sort(boxes_.begin(), boxes_.end(), [](const BoxClass& a, const BoxClass& b) {
            return QString::localeAwareCompare(a.name, b.name) < 0;
        });
        break;
    case Order::User: {
        // Classes missing from the list keep their place after the listed ones.
        auto rank = [this](const BoxClass& b) {
            const qsizetype i = userOrder.indexOf(b.name);
            return i < 0 ? userOrder.size() : i;
        };
        std::stable_sort(boxes_.begin(), boxes_.end(),
                         [&](const BoxClass& a, const BoxClass& b) { return rank(a) < rank(b); });
        break;
    }
    }
}

void BoxPlotWindow::rebuildFigure() {
    figure_ = BoxPlotFigure::make(boxes_, parts, statField, classField);
    if (showFilter)
        figure_.subtitles << (useFilter
                                  ? QStringLiteral("Filter: ") + filter + QStringLiteral(" (n= ") +
                                        QString::number(total_) + QStringLiteral(" samples)")
                                  : QStringLiteral("No filter selected"));
    for (const auto& [typed, drawn] :
         {std::pair{&header_, &figure_.header}, std::pair{&xTitle_, &figure_.x.title},
          std::pair{&yTitle_, &figure_.y.title}})
        if (!typed->isEmpty())
            *drawn = *typed;
    figure_.y.logarithmic = logarithmic_;
    if (yMin_)
        figure_.y.min = *yMin_;
    if (yMax_)
        figure_.y.max = *yMax_;
    figure_.y.autoMin = !yMin_;
    figure_.y.autoMax = !yMax_;
}

Sheet BoxPlotWindow::boxTable() const {
    Sheet t;
    const QStringList headings{
        QStringLiteral("Case"),
        QStringLiteral("n"),
        QStringLiteral("n/lower extremes"),
        QStringLiteral("n/lower outliers"),
        QStringLiteral("Non outlier min"),
        percentText(settings_.lowerPercentile) + QStringLiteral(" percentile"),
        parts.middleIsMedian ? QStringLiteral("Median") : QStringLiteral("Average"),
        percentText(settings_.upperPercentile) + QStringLiteral(" percentile"),
        QStringLiteral("Non outlier max"),
        QStringLiteral("n/upper outliers"),
        QStringLiteral("n/upper extremes"),
        QStringLiteral("min"),
        QStringLiteral("max")};
    for (int c = 0; c < headings.size(); ++c)
        t.setText(1, c + 1, headings[c]);
    int row = 1;
    for (const BoxClass& b : boxes_) {
        ++row;
        t.setText(row, 1, b.name);
        const double values[] = {b.n,
                                 b.extremeLowCount,
                                 b.outlierLowCount,
                                 b.nonOutlierMin,
                                 b.lowerBox,
                                 b.middle,
                                 b.upperBox,
                                 b.nonOutlierMax,
                                 b.outlierHighCount,
                                 b.extremeHighCount,
                                 b.min,
                                 b.max};
        for (int c = 0; c < 12; ++c)
            if (std::isfinite(values[c]))
                t.setNumber(row, c + 2, values[c]);
    }
    return t;
}

bool BoxPlotWindow::saveGraphFile(const QString& path) {
    if (!hasFigure_)
        return false;
    if (FigureFile::save(path, figure_))
        return true;
    dialogs_.message(MessageKind::Critical, FigureFile::saveError());
    return false;
}

bool BoxPlotWindow::drawFromLog(int index) {
    if (index < 0 || index >= int(logEntries_.size()))
        return false;
    const Entry& e = logEntries_[size_t(index)];
    statTable = e.statTable;
    statField = e.statField;
    classTable = e.classTable;
    classField = e.classField;
    filter = e.filter;
    useClipData = e.useClipData;
    useFilter = e.useFilter;
    return draw();
}

void BoxPlotWindow::setLogarithmic(bool on) {
    logarithmic_ = on;
    if (hasFigure_)
        rebuildFigure();
}

void BoxPlotWindow::scale() {
    const auto ask = [this](const QString& prompt) -> std::optional<double> {
        const auto answer = dialogs_.input(Dialogs::title(), prompt, {});
        return answer ? NumberText::fromText(QStringView(*answer)) : std::nullopt;
    };
    const auto lo = ask(QStringLiteral("Give Y axis minimum (Cancel for default)"));
    const auto hi = ask(QStringLiteral("Give Y axis maximum (Cancel for for default)"));
    if (lo && hi && *lo >= *hi) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Minimum >= maximum"));
        return;
    }
    yMin_ = lo;
    yMax_ = hi;
    if (hasFigure_)
        rebuildFigure();
}

bool BoxPlotWindow::askChartProperties() {
    if (!ChartPropertyQuestions::askTitles(dialogs_, header_, xTitle_, yTitle_))
        return false;
    if (hasFigure_)
        rebuildFigure();
    return true;
}
