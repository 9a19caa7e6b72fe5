#include "diagram/objects/TrendlineEquation.h"

#include "diagram/objects/MiniExpression.h"
#include "platform/NumberText.h"

#include <QRegularExpression>

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
    QString expression = e.mid(body);
    if (xOfY) // the variable of an X= line is y: read it as the evaluator's one variable
        expression.replace(QRegularExpression(QStringLiteral("(?<![a-zA-Z])[yY](?![a-zA-Z])")),
                           QStringLiteral("x"));
    std::unique_ptr<LineFunction> f = MiniExpression::parse(expression);
    if (!f)
        return std::nullopt;
    return TrendlineEquation(std::shared_ptr<LineFunction>(std::move(f)), xOfY);
}

QString TrendlineEquation::linearThrough(double x1, double y1, double x2, double y2) {
    if (x1 == x2)
        return QStringLiteral("X=") + NumberText::toText(x1);
    const double slope = (y2 - y1) / (x2 - x1);
    const double intercept = y1 - slope * x1;
    return QStringLiteral("Y=") + NumberText::toText(slope) + QStringLiteral("*x+") +
           NumberText::toText(intercept);
}
