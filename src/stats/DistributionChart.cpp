#include "stats/DistributionChart.h"

#include "figure/AxisScaler.h"
#include "figure/FigureColorText.h"
#include "platform/CellValue.h"
#include "platform/Dialogs.h"
#include "platform/NumberText.h"
#include "stats/ColumnStatistics.h"

#include <cmath>
#include <numeric>

namespace {
// Both ends of an axis, Cancel or no number leaving an end automatic.
bool askRange(Dialogs& dialogs, const QString& axis, std::optional<double>& lo,
              std::optional<double>& hi) {
    const auto ask = [&](const QString& end) -> std::optional<double> {
        const auto answer =
            dialogs.input(axis + u' ' + end, QStringLiteral("Give ") + axis + u' ' + end, {});
        return answer ? NumberText::fromText(QStringView(*answer)) : std::nullopt;
    };
    const auto newLo = ask(QStringLiteral("min"));
    const auto newHi = ask(QStringLiteral("max"));
    if (newLo && newHi && *newLo >= *newHi) {
        dialogs.message(MessageKind::Exclamation, QStringLiteral("Minimum >= maximum"));
        return false;
    }
    lo = newLo;
    hi = newHi;
    return true;
}
} // namespace

QString DistributionChart::barLabelText(const std::vector<double>& values, double count) const {
    if (barLabel == BarLabel::Count)
        return QString::number(count, 'f', 0);
    const ColumnStatistics s(values);
    std::optional<double> v;
    switch (barLabel) {
    case BarLabel::Avg:
        v = s.mean();
        break;
    case BarLabel::Min:
        v = s.min();
        break;
    case BarLabel::Max:
        v = s.max();
        break;
    case BarLabel::StDev:
        v = s.standardDeviation();
        break;
    case BarLabel::Median:
        v = s.percentile(50);
        break;
    default:
        break;
    }
    return v ? QString::number(*v, 'f', std::clamp(decimals, 0, 15)) : QString();
}

Figure DistributionChart::make(const QString& field, const std::vector<DistributionClass>& classes,
                               const Sheet& table, qsizetype outside,
                               const std::vector<std::vector<double>>& values) const {
    qsizetype inside = 0;
    for (int i = 0; i < int(classes.size()); ++i)
        inside += qsizetype(table.number(i + 2, 7).value_or(0));
    const qsizetype total = inside + outside;
    Figure f;
    f.header = header.isEmpty() ? field : header;
    f.x.title = xTitle.isEmpty() ? field : xTitle;
    f.x.labelRotation = rotateLabels ? 90 : 0;
    f.barWidth = 1.0 - barSpace / 100.0;
    QString title = (showPercent ? QStringLiteral("% (tot=") : QStringLiteral("n (tot=")) +
                    QString::number(total) + u')';
    if (outside > 0)
        title +=
            QStringLiteral(" Outside ranges n=") + QString::number(outside) + QStringLiteral(" (") +
            CellValue::formatNumber(std::round(1000.0 * double(outside) / double(total)) / 10) +
            QStringLiteral("%)");
    f.y.title = yTitle.isEmpty() ? title : yTitle;
    f.look = look;
    Series bars;
    bars.name = showPercent ? QStringLiteral("%") : QStringLiteral("n");
    bars.shape = SeriesShape::Bars;
    bars.style.color = barColor;
    bars.showInLegend = false;
    Series cum;
    cum.name =
        (cumulativeUp ? QStringLiteral("Cumulative up ") : QStringLiteral("Cumulative down ")) +
        (showPercent ? QStringLiteral("%") : QStringLiteral("n"));
    cum.connectingLine = true;
    cum.style.color = cum.style.lineColor = {200, 30, 30};
    cum.style.lineWidth = 2;
    const int valueColumn = showPercent ? 8 : 7;
    const int cumColumn = (cumulativeUp ? 9 : 11) + (showPercent ? 1 : 0);
    for (int i = 0; i < int(classes.size()); ++i) {
        f.x.categoryLabels << (onlyNumbers ? QString::number(i + 1) : classes[size_t(i)].name);
        const double height = table.number(i + 2, valueColumn).value_or(0);
        bars.points.push_back({double(i + 1), height});
        cum.points.push_back({double(i + 1), table.number(i + 2, cumColumn).value_or(0)});
        if (barLabel != BarLabel::None && size_t(i) < values.size()) {
            const QString text =
                barLabelText(values[size_t(i)], table.number(i + 2, 7).value_or(0));
            if (!text.isEmpty())
                f.texts.push_back({text, QPointF(i + 1, height), {0, 0, 0, 255}, 8, {}, {}});
        }
    }
    if (labelEvery <= 0)
        f.x.categoryLabels = QStringList(qsizetype(classes.size()), QString());
    f.x.labelFrequency = std::max(labelEvery, 1);
    f.series.push_back(std::move(bars));
    if (cumulative)
        f.series.push_back(std::move(cum));
    f.legend.visible = cumulative;
    f.y.logarithmic = yLogarithmic;
    AxisScaler::autoScaleY(f);
    if (!yLogarithmic)
        f.y.min = 0;
    // Room above the highest bar for its label.
    if (barLabel != BarLabel::None && !yLogarithmic)
        f.y.max *= 1.08;
    if (yMin)
        f.y.min = *yMin;
    if (yMax)
        f.y.max = *yMax;
    f.x.setRange(xMin.value_or(0.4), xMax.value_or(double(classes.size()) + 0.6));
    f.x.reversed = xReversed;
    f.y.grid = showGrid ? GridStyle::Dotted : GridStyle::None;
    return f;
}

bool DistributionChart::askXScale(Dialogs& dialogs) {
    return askRange(dialogs, QStringLiteral("X"), xMin, xMax);
}

bool DistributionChart::askYScale(Dialogs& dialogs) {
    return askRange(dialogs, QStringLiteral("Y"), yMin, yMax);
}

bool DistributionChart::askHeader(Dialogs& dialogs) {
    const auto answer =
        dialogs.input(QStringLiteral("Headers"), QStringLiteral("Give header"), header);
    if (!answer)
        return false;
    header = answer->trimmed();
    return true;
}

bool DistributionChart::askBarSpace(Dialogs& dialogs) {
    const auto answer = dialogs.input(QStringLiteral("Space between Bars"),
                                      QStringLiteral("Space between bars, % of a class (0-90)"),
                                      QString::number(barSpace));
    const auto n = answer ? NumberText::fromText(QStringView(*answer)) : std::nullopt;
    if (!n || *n < 0 || *n > 90 || *n != std::floor(*n))
        return false;
    barSpace = int(*n);
    return true;
}

bool DistributionChart::askXTitle(Dialogs& dialogs) {
    const auto answer = dialogs.input(QStringLiteral("X title options"),
                                      QStringLiteral("Give X axis title"), xTitle);
    if (!answer)
        return false;
    xTitle = answer->trimmed();
    return true;
}

bool DistributionChart::askLabelEvery(Dialogs& dialogs) {
    const auto answer =
        dialogs.input(QStringLiteral("X labels"), QStringLiteral("Show every nth label, n="),
                      QString::number(labelEvery));
    const auto n = answer ? NumberText::fromText(QStringView(*answer)) : std::nullopt;
    if (!n || *n < 0 || *n != std::floor(*n) || *n > 1e6)
        return false;
    labelEvery = int(*n);
    return true;
}

bool DistributionChart::askBarColor(Dialogs& dialogs) {
    const auto answer = dialogs.input(QStringLiteral("Bar Colour"),
                                      QStringLiteral("Give bar colour as #rrggbb"), {});
    if (!answer)
        return false;
    const auto color = FigureColorText::fromText(*answer);
    if (!color) {
        dialogs.message(MessageKind::Exclamation, QStringLiteral("Give colour as #rrggbb"));
        return false;
    }
    barColor = *color;
    return true;
}
