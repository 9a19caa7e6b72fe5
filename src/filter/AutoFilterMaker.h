#pragma once
// AutoFilters: one filter per distinct value of a field, named "f_" + prefix + the value made
// name-safe ("Null" for a Null value). Each condition compares with "=" and a literal of the
// value's own kind (or "Is Null"), so "A_1" never matches "AB1" and number fields work on every
// engine. A value whose view cannot be made (its name is taken, two values give one name) is
// skipped and listed. Holds the caller's connection.
#include "platform/CellValue.h"

#include <QStringList>
#include <optional>
#include <vector>

class Connection;

class AutoFilterMaker {
public:
    struct Outcome {
        int made = 0;
        QStringList skipped; // view names that could not be made
    };

    explicit AutoFilterMaker(Connection& connection)
        : db_(connection) {}

    static QString distinctStatement(const QString& table, const QString& field);
    // "SELECT * FROM [T] WHERE (([T].[F] = literal))" or "... Is Null))".
    static QString definition(const QString& table, const QString& field, const CellValue& value);
    // prefix already ends with "_" when given.
    static QString viewName(const QString& prefix, const CellValue& value);
    static QString literal(const CellValue& value);

    std::optional<std::vector<CellValue>> distinctValues(const QString& table,
                                                         const QString& field);
    Outcome make(const QString& table, const QString& field, const QString& prefix,
                 const std::vector<CellValue>& values);

    const QString& lastError() const { return error_; }

private:
    Connection& db_;
    QString error_;
};
