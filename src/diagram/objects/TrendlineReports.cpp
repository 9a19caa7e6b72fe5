#include "diagram/objects/TrendlineReports.h"

#include "diagram/objects/TrendlineEquation.h"
#include "platform/NumberText.h"

#include <cmath>

using D = DiagramDefinition;

QString TrendlineReports::xAtYZero(const std::vector<Trendline>& lines,
                                   const DiagramDefinition& d) {
    const QString xField = d.fields[D::X];
    const QString yField = d.fields[D::Y];
    QStringList report;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Trendline& t = lines[i];
        report << QStringLiteral("Trendline ") + QString::number(i + 1) + t.name;
        const auto eq = TrendlineEquation::parse(t.equation);
        // Straight through two evaluations, 1 apart.
        const double y0 = eq && !eq->isXOfY() ? eq->valueAt(0) : NAN;
        const double slope = eq && !eq->isXOfY() ? eq->valueAt(1) - y0 : NAN;
        if (!(slope != 0) || std::isnan(y0)) {
            report << QStringLiteral("-no intercept");
            continue;
        }
        const double x0 = -y0 / slope;
        report << QStringLiteral("-when ") + yField + QStringLiteral("=0 then ") + xField +
                      QLatin1Char('=') + NumberText::toText(x0);
        if (xField.startsWith(QLatin1String("MgO"))) {
            const double fo = 10190 * x0 / (31.54 * x0 + 4031);
            report << QStringLiteral(" Corresponding olivine is ") +
                          NumberText::toText(fo).left(6) + QStringLiteral(" % Fo");
        }
    }
    return report.join(QStringLiteral("\r\n"));
}

QString TrendlineReports::yAtX(const std::vector<Trendline>& lines, const DiagramDefinition& d,
                               double x) {
    QStringList report;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Trendline& t = lines[i];
        const auto eq = TrendlineEquation::parse(t.equation);
        const double y = eq && !eq->isXOfY() ? eq->valueAt(x) : NAN;
        report << QStringLiteral("Trendline ") + QString::number(i + 1) + t.name
               << (std::isnan(y) ? QStringLiteral("-no value")
                                 : QStringLiteral("-when ") + d.fields[D::X] + QLatin1Char('=') +
                                       NumberText::toText(x) + QStringLiteral(" then ") +
                                       d.fields[D::Y] + QLatin1Char('=') + NumberText::toText(y));
    }
    return report.join(QStringLiteral("\r\n"));
}
