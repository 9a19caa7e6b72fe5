#include "figure/AxisRatioInput.h"

#include "platform/NumberText.h"

#include <cmath>

std::variant<double, QString> AxisRatioInput::parse(const QString& answer) {
    const QString notCorrect = QStringLiteral("Format not correct!");
    qsizetype separator = answer.indexOf(QLatin1Char('/'));
    if (separator < 0) {
        separator = answer.indexOf(QLatin1Char(':'));
    }
    double ratio = 0;
    if (separator < 0) {
        const std::optional<double> n = NumberText::fromText(answer.trimmed());
        if (!n) {
            return notCorrect;
        }
        ratio = *n;
    } else {
        const std::optional<double> left = NumberText::fromText(answer.left(separator).trimmed());
        const std::optional<double> right =
            NumberText::fromText(answer.mid(separator + 1).trimmed());
        if (!left || !right) {
            return notCorrect;
        }
        if (*right == 0) {
            return QStringLiteral("Error 11 Division by zero");
        }
        ratio = *left / *right;
    }
    if (!(ratio > 0) || !std::isfinite(ratio)) {
        return notCorrect;
    }
    return ratio;
}
