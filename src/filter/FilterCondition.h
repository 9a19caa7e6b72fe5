#pragma once
// One prepared condition of a filter: the operator as it is written into the SQL text and the
// value as a Jet literal (a number, an escaped text, a parenthesised list, or nothing for
// "Is Null"). Plain value type; ConditionPreparer makes it.
#include "query/SqlNames.h"

#include <QString>

struct FilterCondition {
    QString op;
    QString value;

    // "[Table].[Field] op value"; "[Table].[Field] Is Null" without a value.
    QString text(const QString& table, const QString& field) const {
        const QString condition = SqlNames::field(table, field) + u' ' + op;
        return value.isEmpty() ? condition : condition + u' ' + value;
    }

    friend bool operator==(const FilterCondition&, const FilterCondition&) = default;
};
