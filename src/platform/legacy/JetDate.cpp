#include "platform/legacy/JetDate.h"

#include <cmath>

std::optional<QDateTime> JetDate::toDateTime(double jet) {
    constexpr double first = -657434.0; // 100-01-01
    constexpr double last = 2958466.0;  // 10000-01-01, exclusive
    if (!std::isfinite(jet) || jet < first || jet >= last)
        return std::nullopt;
    double whole = std::trunc(jet);
    qint64 ms = std::llround(std::fabs(jet - whole) * 86400000.0);
    QDate day = QDate(1899, 12, 30).addDays(qint64(whole));
    if (ms >= 86400000) { // rounded up to the next midnight
        ms -= 86400000;
        day = day.addDays(1);
    }
    if (!day.isValid() || day.year() > 9999)
        return std::nullopt;
    return QDateTime(day, QTime::fromMSecsSinceStartOfDay(int(ms)), Qt::UTC);
}
