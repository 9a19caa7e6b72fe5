#include "platform/CellValue.h"

#include <charconv>
#include <cmath>

CellValue CellValue::null() {
    return CellValue(Storage(NullTag{}));
}
CellValue CellValue::number(double value) {
    return CellValue(Storage(value));
}
CellValue CellValue::text(const QString& value) {
    return CellValue(Storage(value));
}
CellValue CellValue::boolean(bool value) {
    return CellValue(Storage(value));
}

CellValue CellValue::date(const QDateTime& value) {
    if (!value.isValid())
        return null();
    QDateTime local(value.date(), value.time(), Qt::UTC);
    return CellValue(Storage(local));
}

CellValue CellValue::date(const QDate& value) {
    return date(QDateTime(value, QTime(0, 0), Qt::UTC));
}

CellValue::Kind CellValue::kind() const {
    switch (value_.index()) {
    case 0:
        return Kind::Empty;
    case 1:
        return Kind::Null;
    case 2:
        return Kind::Number;
    case 3:
        return Kind::Text;
    case 4:
        return Kind::Date;
    default:
        return Kind::Boolean;
    }
}

QString CellValue::formatNumber(double value) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (value == 0)
        return QStringLiteral("0"); // also for -0: a sign on zero only confuses the person
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, int(result.ptr - buf));
}

QString CellValue::formatDate(const QDateTime& value) {
    const QTime t = value.time();
    return value.toString(t.msec() ? QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")
                                   : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString CellValue::toText() const {
    switch (kind()) {
    case Kind::Empty:
    case Kind::Null:
        return {};
    case Kind::Number:
        return formatNumber(std::get<double>(value_));
    case Kind::Text:
        return std::get<QString>(value_);
    case Kind::Date:
        return formatDate(std::get<QDateTime>(value_));
    case Kind::Boolean:
        return std::get<bool>(value_) ? QStringLiteral("True") : QStringLiteral("False");
    }
    return {};
}

std::optional<double> CellValue::toNumber() const {
    switch (kind()) {
    case Kind::Number:
        return std::get<double>(value_);
    case Kind::Boolean:
        return std::get<bool>(value_) ? 1.0 : 0.0;
    case Kind::Text: {
        const QByteArray t = std::get<QString>(value_).trimmed().toLatin1();
        double v = 0;
        const auto r = std::from_chars(t.constData(), t.constData() + t.size(), v);
        if (t.isEmpty() || r.ec != std::errc() || r.ptr != t.constData() + t.size())
            return std::nullopt;
        return v;
    }
    default:
        return std::nullopt;
    }
}

std::optional<QDateTime> CellValue::toDate() const {
    if (kind() == Kind::Date)
        return std::get<QDateTime>(value_);
    if (kind() == Kind::Text) {
        const QString t = std::get<QString>(value_).trimmed();
        QDateTime d = QDateTime::fromString(t, Qt::ISODateWithMs);
        if (!d.isValid())
            d = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (!d.isValid()) {
            const QDate day = QDate::fromString(t, Qt::ISODate);
            if (day.isValid())
                d = QDateTime(day, QTime(0, 0));
        }
        if (d.isValid())
            return QDateTime(d.date(), d.time(), Qt::UTC);
    }
    return std::nullopt;
}

std::optional<bool> CellValue::toBoolean() const {
    if (kind() == Kind::Boolean)
        return std::get<bool>(value_);
    if (kind() == Kind::Number)
        return std::get<double>(value_) != 0;
    return std::nullopt;
}

bool CellValue::operator==(const CellValue& other) const {
    if (value_.index() != other.value_.index())
        return false;
    if (kind() == Kind::Number) {
        const double a = std::get<double>(value_), b = std::get<double>(other.value_);
        return a == b || (std::isnan(a) && std::isnan(b));
    }
    return value_ == other.value_;
}
