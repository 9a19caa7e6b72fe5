#include "figure/UserAxisScale.h"

#include "figure/AxisScaler.h"
#include "platform/CellValue.h"
#include "platform/NumberText.h"

#include <cmath>

std::optional<QString> UserAxisScale::setFromMenu(Figure& figure, AxisScaleState& state,
                                                  AxisId axis, double min, double max) {
    if (!(min < max)) {
        return axis == AxisId::X
                   ? QStringLiteral(
                         "Min is greater than or equal to max. X-axis scale not changed.")
                   : QStringLiteral(
                         "Min is greater than or equal to max. Y-axis scale not changed.");
    }
    if (axis == AxisId::X) {
        figure.x.setRange(min, max);
    } else {
        figure.y.setRange(min, max);
        figure.y2.setRange(min, max);
    }
    state.userScale = true;
    return std::nullopt;
}

std::optional<QString> UserAxisScale::applyDialog(Figure& figure, AxisScaleState& state,
                                                  const std::array<QString, 4>& boxes) {
    std::array<double, 4> v{};
    for (size_t i = 0; i < boxes.size(); ++i) {
        const std::optional<double> n = NumberText::fromText(boxes[i]);
        if (!n) {
            return QStringLiteral(" Please enter numeric value for scale");
        }
        v[i] = *n;
    }
    if (v[0] > v[1]) {
        return QStringLiteral(" Please select greater value for x -max ");
    }
    if (v[2] > v[3]) {
        return QStringLiteral(" Please select greater value for y -max ");
    }
    figure.x.setRange(v[0], v[1]);
    figure.y.setRange(v[2], v[3]);
    figure.y2.setRange(v[2], v[3]);
    state.userScale = true;
    return std::nullopt;
}

std::array<double, 4> UserAxisScale::dataDefinition(const Figure& figure) {
    const AxisExtent x = figure.extent(AxisId::X);
    AxisExtent y = figure.extent(AxisId::Y);
    const AxisExtent y2 = figure.extent(AxisId::Y2);
    if (!y2.isEmpty()) {
        y.add(y2.min);
        y.add(y2.max);
    }
    return {x.min, x.max, y.min, y.max};
}

void UserAxisScale::reset(Figure& figure, AxisScaleState& state) {
    AxisScaler::autoScaleX(figure);
    AxisScaler::autoScaleY(figure);
    state.userScale = false;
}

QString UserAxisScale::dataRangeText(const Figure& figure) {
    const std::array<double, 4> d = dataDefinition(figure);
    const auto t = [](double v) { return CellValue::formatNumber(v); };
    return QStringLiteral("(") + t(d[0]) + QStringLiteral("-") + t(d[1]) + QStringLiteral(";  ") +
           t(d[2]) + QStringLiteral("-") + t(d[3]) + QStringLiteral(")");
}

double UserAxisScale::upDownStep(double thisEnd, double otherEnd) {
    const double d = std::abs(otherEnd - thisEnd);
    if (d == 0 || !std::isfinite(d)) {
        return 0.0001;
    }
    return std::pow(10.0, std::floor(std::log10(d)) - 1);
}

std::optional<QString> UserAxisScale::stepBox(const std::array<QString, 4>& boxes, size_t index,
                                              int direction) {
    const std::optional<double> value = NumberText::fromText(boxes[index]);
    if (!value) {
        return std::nullopt;
    }
    const double other = NumberText::fromText(boxes[index ^ 1]).value_or(*value);
    const double step = upDownStep(*value, other);
    // Rounding to a millionth of the step and to twelve digits drops the binary noise of the
    // sum: 0.1 + 0.01 reads 0.11, and 0.3 - 0.1 - 0.1 - 0.1 reads 0.
    const double unit = step * 1e-6;
    const double next = std::round((*value + direction * step) / unit) * unit;
    return NumberText::toText(QString::number(next, 'g', 12).toDouble() + 0.0); // no "-0"
}

std::optional<int> UserAxisScale::labelFrequency(const QString& answer) {
    const std::optional<double> n = NumberText::fromText(answer);
    if (!n || *n >= 2147483648.0) {
        return std::nullopt;
    }
    const int whole = int(std::trunc(*n));
    if (whole <= 0) {
        return std::nullopt;
    }
    return whole;
}
