#include "diagram/FigureStatistics.h"

#include "platform/NumberText.h"
#include "stats/StatisticsComponent.h"

QStringList FigureStatistics::statisticNames() {
    return {"N",      "AVG",      "MIN",      "MAX",           "STDEV",   "VAR",
            "CV",     "SKEWNESS", "KURTOSIS", "NONOUTLIERMIN", "PERC_10", "PERC_25",
            "MEDIAN", "PERC_75",  "PERC_90",  "NONOUTLIERMAX"};
}

Sheet FigureStatistics::table(const Figure& figure) {
    // Columns 1 and 2 hold X and Y, column 3 the class of each point.
    StatisticsComponent statistics;
    statistics.SetSize(int(figure.pointCount()), 3);
    int row = 0;
    for (const Series& s : figure.series)
        for (const FigurePoint& p : s.points) {
            ++row;
            statistics.setCellText(row, 1, NumberText::toText(p.x));
            statistics.setCellText(row, 2, NumberText::toText(p.y));
            statistics.setCellText(row, 3, s.name);
        }
    statistics.Classify(3);

    Sheet table;
    const QStringList names = statisticNames();
    table.setText(1, 1, QStringLiteral("Statistic"));
    for (int r = 0; r < names.size(); ++r)
        table.setText(r + 2, 1, names[r]);
    int column = 1;
    for (const auto& [axisColumn, title] :
         {std::pair{1, figure.x.title.isEmpty() ? QStringLiteral("X") : figure.x.title},
          std::pair{2, figure.y.title.isEmpty() ? QStringLiteral("Y") : figure.y.title}}) {
        for (int c = 0; c <= statistics.ClassCount(); ++c) {
            ++column;
            table.setText(1, column,
                          c == 0 ? title : title + QStringLiteral(": ") + statistics.ClassName(c));
            statistics.SelectColumn(axisColumn, c);
            for (int r = 0; r < names.size(); ++r) {
                const double value = statistics.Statistic(names[r]);
                if (value != StatisticsComponent::noValue)
                    table.setNumber(r + 2, column, value);
            }
        }
    }
    return table;
}
