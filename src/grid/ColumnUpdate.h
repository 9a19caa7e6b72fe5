#pragma once
// The grid's "Update Column...": one column of the grid's base table recomputed per record from
// up to five other columns (an equation over a to e, or one value for every record), or filled
// with the sum, average, minimum or maximum of chosen columns. Records are written by key in
// one transaction: a database error leaves every record as it was; "Abort" keeps the records
// already updated. An error value or an empty aggregate stores Null and counts as failed.
#include "calc/UserCalcFormula.h"
#include "grid/GridTarget.h"

#include <array>
#include <optional>

class Dialogs;
class Status;

class ColumnUpdate {
public:
    ColumnUpdate(GridTarget target, Dialogs& dialogs, Status& status);

    struct Equation {
        QString target;
        // The grid column bound to a to e; empty for none.
        std::array<QString, UserCalcFormula::variableCount> variables;
        QString equation;
        bool valueMode = false; // "Value:" instead of "Equation:"
        QString value;
        bool numericValue = true; // "Numeric" / "Text"
        bool ignoreNulls = false;
    };
    enum class Aggregate { Sum, Avg, Min, Max };
    static QString aggregateName(Aggregate a);

    struct Outcome {
        qint64 updated = 0;
        qint64 failed = 0; // records that got Null from an error value or an empty aggregate
        bool aborted = false;
    };
    // UpdateColumnByEquation and UpdateColumnByAggregate: nullopt when nothing ran (declined,
    // refused or a database error, said so); otherwise after "Updated" or "Aborted!".
    std::optional<Outcome> UpdateColumnByEquation(const Equation& run);
    std::optional<Outcome> UpdateColumnByAggregate(const QString& target,
                                                   const QStringList& columns, Aggregate operation,
                                                   bool ignoreNulls);

private:
    using Compute = std::function<CellValue(const RowSet& rows, const RowSet::Row& row)>;
    std::optional<Outcome> run(const QString& target, const Compute& compute);
    bool ready(const QString& target);

    GridTarget target_;
    Dialogs& dialogs_;
    Status& status_;
    std::optional<RowSet> rows_;
};
