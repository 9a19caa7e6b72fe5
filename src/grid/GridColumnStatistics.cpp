#include "grid/GridColumnStatistics.h"

#include "platform/NumberText.h"
#include "stats/StatisticsComponent.h"

QStringList GridColumnStatistics::names() {
    return {QStringLiteral("n"),      QStringLiteral("avg"),      QStringLiteral("min"),
            QStringLiteral("max"),    QStringLiteral("stdev"),    QStringLiteral("var"),
            QStringLiteral("median"), QStringLiteral("kurtosis"), QStringLiteral("skewness")};
}

QStringList GridColumnStatistics::lines(const RowSet& rows, int column) {
    StatisticsComponent component;
    component.SetSize(int(rows.rowCount()), 1);
    if (column >= 0 && column < rows.columnCount()) {
        component.setColumnName(1, rows.columnNames()[column]);
        for (qsizetype r = 0; r < rows.rowCount(); ++r)
            component.setCellText(int(r + 1), 1, rows.at(r, column).toText());
    }
    component.SelectColumn(1, 0);
    QStringList out;
    for (const QString& name : names()) {
        const double v = component.Statistic(name);
        const QString shown = v == component.NoValue()
                                  ? (name == QStringLiteral("n") ? QStringLiteral("0") : QString())
                                  : NumberText::toText(v);
        out << name + QLatin1Char('\t') + shown;
    }
    return out;
}
