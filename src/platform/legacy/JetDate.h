#pragma once
// Jet stores a date as days since 1899-12-30 in a double: the whole part (towards zero) is the
// day, the fraction's absolute value the time of day, so -1.25 is 1899-12-29 06:00. Jet's
// calendar runs from 100-01-01 to 9999-12-31; anything outside it (or not a number) has no date.
#include <QDateTime>
#include <optional>

class JetDate {
public:
    static std::optional<QDateTime> toDateTime(double jet);
};
