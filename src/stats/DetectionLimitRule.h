#pragma once
// How values below the detection limit are read and replaced. In the data such a value is the
// marker and the limit ("<0.5"); with the data option 2 a negative number also stands for its
// limit (-0.5). The process option chooses the replacement: 1 the limit itself, 2 the limit
// times the multiplier, 3 the fixed value, anything else leaves the value out.
#include <QString>
#include <optional>

class DetectionLimitRule {
public:
    int inDataOption = 1;
    QString marker = QStringLiteral("<");
    int inProcessOption = 2;
    double multiplier = 0.5;
    double fixedValue = 0.1;

    // The limit when the text is a below-detection-limit value, nullopt otherwise.
    std::optional<double> limitOf(const QString& text) const;
    // The text that replaces a value: the replacement number, "" when it is left out, or the
    // text as it was when it is not below the limit.
    QString converted(const QString& text) const;
};
