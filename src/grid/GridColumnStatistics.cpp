#include "grid/GridColumnStatistics.h"

#include "stats/StatisticsComponent.h"

QStringList GridColumnStatistics::names() {
    return {QStringLiteral("n"),      QStringLiteral("avg"),      QStringLiteral("min"),
            QStringLiteral("max"),    QStringLiteral("stdev"),    QStringLiteral("var"),
            QStringLiteral("median"), QStringLiteral("kurtosis"), QStringLiteral("skewness")};
}

Sheet GridColumnStatistics::table(const RowSet& rows, const std::vector<int>& columns,
                                  const std::vector<int>& records) {
    std::vector<qsizetype> used;
    if (records.empty())
        for (qsizetype r = 0; r < rows.rowCount(); ++r)
            used.push_back(r);
    else
        for (int r : records)
            if (r >= 0 && r < rows.rowCount())
                used.push_back(r);

    Sheet out;
    const QStringList statistics = names();
    out.setText(1, 1, QStringLiteral("Statistic"));
    for (int s = 0; s < statistics.size(); ++s)
        out.setText(s + 2, 1, statistics[s]);
    int sheetColumn = 1;
    for (int column : columns) {
        if (column < 0 || column >= rows.columnCount())
            continue;
        ++sheetColumn;
        out.setText(1, sheetColumn, rows.columnNames()[column]);
        StatisticsComponent component;
        component.SetSize(int(used.size()), 1);
        component.setColumnName(1, rows.columnNames()[column]);
        for (size_t i = 0; i < used.size(); ++i)
            component.setCellText(int(i + 1), 1, rows.at(used[i], column).toText());
        component.SelectColumn(1, 0);
        for (int s = 0; s < statistics.size(); ++s) {
            const double v = component.Statistic(statistics[s]);
            if (v != component.NoValue())
                out.setNumber(s + 2, sheetColumn, v);
            else if (s == 0)
                out.setNumber(s + 2, sheetColumn, 0);
        }
    }
    return out;
}
