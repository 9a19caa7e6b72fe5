#include "grid/ColumnUpdate.h"

#include "formula/Formula.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"
#include "platform/TransactionScope.h"

#include <functional>

namespace {
const QString crlf = QStringLiteral("\r\n");
using Mapping = UserCalcFormula::Mapping;
} // namespace

ColumnUpdate::ColumnUpdate(GridTarget target, Dialogs& dialogs, Status& status)
    : target_(std::move(target))
    , dialogs_(dialogs)
    , status_(status) {}

QString ColumnUpdate::aggregateName(Aggregate a) {
    switch (a) {
    case Aggregate::Sum:
        return QStringLiteral("Sum");
    case Aggregate::Avg:
        return QStringLiteral("Avg");
    case Aggregate::Min:
        return QStringLiteral("Min");
    case Aggregate::Max:
        break;
    }
    return QStringLiteral("Max");
}

bool ColumnUpdate::ready(const QString& target) {
    if (target.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Selected column to be updated"));
        return false;
    }
    if (!target_.writable()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("The records of this grid cannot be changed: table ") +
                             target_.table + QStringLiteral(" has no primary key in the grid."));
        return false;
    }
    return true;
}

std::optional<ColumnUpdate::Outcome> ColumnUpdate::run(const QString& target,
                                                       const Compute& compute) {
    rows_ = target_.allRows();
    const auto failed = [this](const QString& why) -> std::optional<Outcome> {
        status_.showStatus(QString(), 0);
        dialogs_.message(MessageKind::Critical, QStringLiteral("Nothing was updated: ") + why +
                                                    crlf + target_.database->lastError());
        return std::nullopt;
    };
    if (!rows_)
        return failed(QStringLiteral("the records cannot be read."));
    TransactionScope transaction(*target_.database);
    if (!transaction.began())
        return failed(QStringLiteral("the transaction cannot begin."));
    status_.resetAbort();
    Outcome outcome;
    for (qsizetype r = 0; r < rows_->rowCount(); ++r) {
        if (status_.abortRequested()) {
            outcome.aborted = true;
            break;
        }
        const RowSet::Row& row = rows_->row(r);
        const auto where = target_.keyCondition(*rows_, row);
        if (!where)
            continue;
        const CellValue value = compute(*rows_, row);
        if (!target_.writeField(*where, target, value))
            return failed(QStringLiteral("record ") + QString::number(r + 1) +
                          QStringLiteral(" cannot be written."));
        ++outcome.updated;
        if (value.isNull())
            ++outcome.failed;
        if (r % 1000 == 0)
            status_.showStatus(QString(),
                               int(100 * r / std::max<qsizetype>(rows_->rowCount(), 1)) + 1);
    }
    if (!transaction.commit())
        return failed(QStringLiteral("the changes cannot be committed."));
    status_.showStatus(QString(), 0);
    dialogs_.message(MessageKind::Information,
                     outcome.aborted ? QStringLiteral("Aborted!") : QStringLiteral("Updated"));
    return outcome;
}

std::optional<ColumnUpdate::Outcome> ColumnUpdate::UpdateColumnByEquation(const Equation& e) {
    if (!ready(e.target))
        return std::nullopt;
    if (e.valueMode) {
        const auto number = CellValue::text(e.value).toNumber();
        if (e.numericValue && !number) {
            dialogs_.message(MessageKind::Exclamation,
                             QStringLiteral("The value is not a number: ") + e.value);
            return std::nullopt;
        }
        if (dialogs_.question(QStringLiteral("Are you sure to updata column ") + e.target +
                                  QStringLiteral(" by ") + e.value,
                              QuestionButtons::YesNoCancel) != Answer::Yes)
            return std::nullopt;
        const CellValue value =
            e.numericValue ? CellValue::number(*number) : CellValue::text(e.value);
        return run(e.target, [&value](const RowSet&, const RowSet::Row&) { return value; });
    }
    if (e.equation.trimmed().isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Equation not defined"));
        return std::nullopt;
    }
    QString error;
    const auto formula = Formula::compile(
        UserCalcFormula::RewriteFormula(e.equation, Mapping::ColumnUpdate), &error);
    if (!formula) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Error in formula ( ") +
                                                       e.equation + QStringLiteral(" )") + crlf +
                                                       error);
        return std::nullopt;
    }
    if (dialogs_.question(QStringLiteral("Are you sure to updata column ") + e.target +
                              QStringLiteral(" by ") + e.equation,
                          QuestionButtons::YesNoCancel) != Answer::Yes)
        return std::nullopt;
    const unsigned used = UserCalcFormula::variablesUsed(e.equation, Mapping::ColumnUpdate);
    return run(e.target, [&](const RowSet& rows, const RowSet::Row& row) {
        double inputs[Formula::slotCount] = {};
        for (int v = 0; v < UserCalcFormula::variableCount; ++v) {
            if (!(used & (1u << v)))
                continue;
            const int column = rows.columnIndex(e.variables[size_t(v)]);
            const CellValue cell = column < 0 ? CellValue::null() : row[size_t(column)];
            if (cell.isMissing() && !e.ignoreNulls)
                return CellValue::null();
            const auto number = cell.isMissing() ? std::optional<double>(0) : cell.toNumber();
            if (!number) // a text the arithmetic cannot take: #VALUE!
                return CellValue::null();
            inputs[v] = *number;
        }
        const FormulaValue result = formula->evaluate(inputs);
        if (result.isNumber())
            return CellValue::number(result.toNumber());
        if (result.kind() == FormulaValue::Kind::Text)
            return CellValue::text(result.toText());
        return CellValue::null();
    });
}

std::optional<ColumnUpdate::Outcome>
ColumnUpdate::UpdateColumnByAggregate(const QString& target, const QStringList& columns,
                                      Aggregate operation, bool ignoreNulls) {
    if (!ready(target))
        return std::nullopt;
    if (dialogs_.question(QStringLiteral("Are you sure to calculate ") + aggregateName(operation) +
                              QStringLiteral(" of selected columns ") + crlf +
                              QStringLiteral("and store the result in ") + target +
                              QStringLiteral(" ?"),
                          QuestionButtons::YesNoCancel) != Answer::Yes)
        return std::nullopt;
    return run(target, [&](const RowSet& rows, const RowSet::Row& row) {
        double total = 0;
        int taken = 0;
        for (const QString& name : columns) {
            const int column = rows.columnIndex(name);
            if (column < 0)
                continue;
            const CellValue& cell = row[size_t(column)];
            if (cell.isMissing()) {
                if (ignoreNulls)
                    continue;
                return CellValue::null();
            }
            const auto number = cell.toNumber();
            if (!number)
                continue;
            if (operation == Aggregate::Min)
                total = taken == 0 ? *number : std::min(total, *number);
            else if (operation == Aggregate::Max)
                total = taken == 0 ? *number : std::max(total, *number);
            else
                total += *number;
            ++taken;
        }
        if (taken == 0)
            return CellValue::null();
        return CellValue::number(operation == Aggregate::Avg ? total / taken : total);
    });
}
