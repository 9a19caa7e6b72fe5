#pragma once
// Turns what the person typed into a filter condition. A value that is not a number becomes a
// text literal with every inner "'" doubled (a value typed in quotes keeps them, and stays one
// literal whatever it holds); "*" and "?" become the engines' "%" and "_" and turn "=" and "<>"
// into their Like forms; the Like family always compares texts, so its value is always quoted;
// "IN" quotes each item of its list; "Like %", "Like %__%" and "Like ___%" build the ends-with,
// contains and begins-with patterns. Stateless; anyone may call it.
#include "filter/FilterCondition.h"

#include <QStringList>

class ConditionPreparer {
public:
    // The captions of the operator buttons; the last five only for database filters.
    static QStringList operators();
    static bool takesNoValue(const QString& op);

    static FilterCondition prepare(const QString& op, const QString& value);

    // A value as a literal: numbers as typed, texts quoted and escaped.
    static QString literal(const QString& value, bool alwaysText);
    // The text inside a literal the person typed in quotes, or the value itself.
    static QString unquoted(const QString& value);
};
