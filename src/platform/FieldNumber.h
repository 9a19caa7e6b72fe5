#pragma once
// Whether a field of read or pasted data (a CSV or TSV cell, clipboard text, a typed value) is a
// number: NumberText's C-locale form, except that a text with leading zeros ("007", "-0042")
// names something (a sample, a drill hole) and stays a text, as it was written.
#include <QStringView>
#include <optional>
#include <string_view>

class FieldNumber {
public:
    // An optional sign and blanks, then "0" followed by another digit.
    static bool hasLeadingZeros(std::string_view text);
    static bool hasLeadingZeros(QStringView text);
    static std::optional<double> of(std::string_view text);
    static std::optional<double> of(QStringView text);
};
