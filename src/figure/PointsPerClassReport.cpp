#include "figure/PointsPerClassReport.h"

QString PointsPerClassReport::text(const std::vector<Series>& series) {
    QString out = QStringLiteral("Number of points per classes:");
    qsizetype total = 0;
    for (const Series& s : series) {
        out += QLatin1Char('\n') + s.name + QStringLiteral(" = ") + QString::number(s.pointCount());
        total += s.pointCount();
    }
    return out + QStringLiteral("\nTotal = ") + QString::number(total);
}
