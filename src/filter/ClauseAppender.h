#pragma once
// Adds conditions to SQL text in hand. For the filter window's "Add clause": the first clause
// writes "SELECT [T].* FROM [T] WHERE [T].[F] op value", a clause on a further table adds the
// table to the FROM list and its join condition, and every further clause is joined with
// " And " or " Or ". For the query window: the old condition is kept and the new one added with
// AND. A condition always goes before a final ORDER BY, never after it. Stateless.
#include "filter/FilterCondition.h"

#include <QString>

class ClauseAppender {
public:
    enum class Join { And, Or };

    // joinCondition links table with the tables already in the text (empty when none is
    // needed); it is only used when table is not yet in the FROM list.
    static QString addClause(const QString& sql, const QString& table, const QString& field,
                             const FilterCondition& condition, Join join,
                             const QString& joinCondition);

    // Query window: "... WHERE ((old) AND ([F] op value))" or "... WHERE [F] op value".
    static QString addCondition(const QString& sql, const QString& field,
                                const FilterCondition& condition);

    // The tables of the FROM list, without brackets.
    static QStringList fromTables(const QString& sql);

private:
    // The text before and from its final top-level ORDER BY (an empty tail when none).
    static std::pair<QString, QString> splitOrderBy(const QString& sql);
};
