#pragma once
// The answer to "Give X-axis : Y-axis ratio (X/Y):": a plain number ("1.2") or two numbers
// around ":" or "/" ("1:2", "1/2"; "/" wins when both occur). Anyone may call it.
#include <QString>
#include <variant>

class AxisRatioInput {
public:
    static QString title() { return QStringLiteral("X:Y Axis Ratio"); }
    static QString prompt() {
        return QStringLiteral("Give X-axis : Y-axis ratio (X/Y):\n(e.g. 1.2; 1:2 or 1/2)");
    }
    // The ratio, or the message to show: "Format not correct!" for unreadable text, and for a
    // ratio no plot area can have (zero or negative); "Error 11 Division by zero" for a zero
    // right part.
    static std::variant<double, QString> parse(const QString& answer);
};
