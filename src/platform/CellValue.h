#pragma once
// One value as a database delivers it: empty (no value at all), Null, a number, a text, a date
// (with time of day) or a boolean. Null is its own kind: it is never the empty text and never 0.
// Plain value type; anyone may use it.
#include <QDateTime>
#include <QString>
#include <variant>

class CellValue {
public:
    enum class Kind { Empty, Null, Number, Text, Date, Boolean };

    CellValue() = default;
    static CellValue null();
    static CellValue number(double value);
    static CellValue text(const QString& value);
    // Dates are kept without a time zone (Jet has none); the value is normalised to UTC spec so
    // that no daylight-saving gap can shift it.
    static CellValue date(const QDateTime& value);
    static CellValue date(const QDate& value);
    static CellValue boolean(bool value);

    Kind kind() const;
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isNull() const { return kind() == Kind::Null; }
    // Empty or Null: nothing to show or compute with.
    bool isMissing() const { return isEmpty() || isNull(); }

    // Null and Empty give the empty text; numbers in shortest exact C-locale form; dates as
    // "yyyy-MM-dd hh:mm:ss" (".zzz" added when there are milliseconds); booleans "True"/"False".
    QString toText() const;
    // Numbers as they are, booleans 1/0, texts parsed in the C locale; nullopt otherwise.
    std::optional<double> toNumber() const;
    std::optional<QDateTime> toDate() const;
    std::optional<bool> toBoolean() const;

    bool operator==(const CellValue& other) const;
    bool operator!=(const CellValue& other) const { return !(*this == other); }

    // Shortest text that reads back to the same double, in the C locale ("0.1", "1e+21", "3").
    static QString formatNumber(double value);
    static QString formatDate(const QDateTime& value);

private:
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    using Storage = std::variant<std::monostate, NullTag, double, QString, QDateTime, bool>;
    explicit CellValue(Storage value)
        : value_(std::move(value)) {}

    Storage value_;
};
