#include "diagram/objects/TrendlineEquation.h"

#include "platform/NumberText.h"

#include <array>
#include <cmath>

std::optional<TrendlineEquation> TrendlineEquation::parse(const QString& equation) {
    const QString e = equation.trimmed();
    bool xOfY = false;
    qsizetype body = 0;
    if (e.startsWith(QLatin1String("Y="), Qt::CaseInsensitive)) {
        body = 2;
    } else if (e.startsWith(QLatin1String("X="), Qt::CaseInsensitive)) {
        body = 2;
        xOfY = true;
    } else if (e.startsWith(QLatin1String("X ="), Qt::CaseInsensitive)) {
        body = 3;
        xOfY = true;
    } else {
        return std::nullopt;
    }
    const QString expression = e.mid(body).trimmed();
    if (expression.isEmpty())
        return std::nullopt;
    auto formula =
        Formula::compile(expression, nullptr, xOfY ? QStringLiteral("y") : QStringLiteral("x"));
    if (!formula)
        return std::nullopt;
    return TrendlineEquation(std::move(*formula), xOfY);
}

double TrendlineEquation::valueAt(double v) const {
    std::array<double, Formula::slotCount> inputs{};
    inputs[Formula::variableSlot] = v;
    const FormulaValue value = formula_.evaluate(inputs);
    if (!value.isNumber() || !std::isfinite(value.toNumber()))
        return NAN;
    return value.toNumber();
}

QString TrendlineEquation::linearThrough(double x1, double y1, double x2, double y2) {
    if (x1 == x2)
        return QStringLiteral("X=") + NumberText::toText(x1);
    const double slope = (y2 - y1) / (x2 - x1);
    const double intercept = y1 - slope * x1;
    return QStringLiteral("Y=") + NumberText::toText(slope) + QStringLiteral("*x+") +
           NumberText::toText(intercept);
}

QString TrendlineEquation::polylineThrough(const std::vector<QPointF>& points, bool xOfY) {
    if (points.size() < 2)
        return {};
    const QString variable = xOfY ? QStringLiteral("y") : QStringLiteral("x");
    // Built from the last piece outwards: IF(x<=x2, piece 1, IF(x<=x3, piece 2, ... piece n)).
    QString expression;
    for (size_t i = points.size() - 1; i-- > 0;) {
        const QPointF a = points[i], b = points[i + 1];
        if (!(b.x() > a.x()))
            return {};
        const double slope = (b.y() - a.y()) / (b.x() - a.x());
        const QString piece = QStringLiteral("(") + NumberText::toText(a.y()) +
                              QStringLiteral(")+(") + variable + QStringLiteral("-(") +
                              NumberText::toText(a.x()) + QStringLiteral("))*(") +
                              NumberText::toText(slope) + QStringLiteral(")");
        expression = expression.isEmpty()
                         ? piece
                         : QStringLiteral("IF(") + variable + QStringLiteral("<=") +
                               NumberText::toText(b.x()) + QStringLiteral(",") + piece +
                               QStringLiteral(",") + expression + QStringLiteral(")");
    }
    return (xOfY ? QStringLiteral("X=") : QStringLiteral("Y=")) + expression;
}
