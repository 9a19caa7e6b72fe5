#include "calc/UserCalcWindow.h"

#include "db/SchemaEditor.h"
#include "db/SessionDatabase.h"
#include "formula/Formula.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/Status.h"
#include "platform/TransactionScope.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"
#include "query/SqlNames.h"

namespace {
const QString crlf = QStringLiteral("\r\n");
using Mapping = UserCalcFormula::Mapping;

QString valueText(const CellValue& v) {
    return v.isMissing() ? QStringLiteral("Null") : v.toText();
}
} // namespace

UserCalcWindow::UserCalcWindow(SessionDatabase& session, Dialogs& dialogs, Status& status)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status) {}

QStringList UserCalcWindow::functionList() {
    return {QStringLiteral("ACOS (n)"),
            QStringLiteral("ACOSH (n)"),
            QStringLiteral("ASIN (n)"),
            QStringLiteral("ASINH (n)"),
            QStringLiteral("ATAN (n)"),
            QStringLiteral("ATAN2 (n, m)"),
            QStringLiteral("ATANH (n)"),
            QStringLiteral("AVERAGE (n, m, ...)"),
            QStringLiteral("CEILING (n, sign.)"),
            QStringLiteral("COS (n)"),
            QStringLiteral("COSH (n)"),
            QStringLiteral("EVEN (n)"),
            QStringLiteral("EXP (n)"),
            QStringLiteral("FACT (n)"),
            QStringLiteral("FLOOR (n, sign.)"),
            QStringLiteral("INT (n)"),
            QStringLiteral("LN (n)"),
            QStringLiteral("LOG (n)"),
            QStringLiteral("LOG10 (n)"),
            QStringLiteral("ODD (n)"),
            QStringLiteral("PI ()"),
            QStringLiteral("ROUND (n, prec.)"),
            QStringLiteral("ROUNDDOWN (n, prec.)"),
            QStringLiteral("ROUNDUP (n, prec.)"),
            QStringLiteral("SIN (n)"),
            QStringLiteral("SINH (n)"),
            QStringLiteral("SQRT (n)"),
            QStringLiteral("SUM (n, m, ...)"),
            QStringLiteral("SUMSQ (n, m, ...)"),
            QStringLiteral("TAN (n)"),
            QStringLiteral("TANH (n)")};
}

QString UserCalcWindow::functionInsert(const QString& entry) {
    return entry.section(QLatin1Char(' '), 0, 0) + QLatin1Char('(');
}

bool UserCalcWindow::CheckFormula(const QString& text, int row) {
    const unsigned used = UserCalcFormula::variablesUsed(text, Mapping::Check);
    for (int v = 0; v < UserCalcFormula::variableCount; ++v)
        if ((used & (1u << v)) && !variables[size_t(v)].bound()) {
            dialogs_.message(MessageKind::Exclamation, QStringLiteral("No element defined for ") +
                                                           UserCalcFormula::letter(v));
            return false;
        }
    const auto formula = Formula::compile(UserCalcFormula::RewriteFormula(text, Mapping::Check));
    bool numeric = false;
    if (formula) {
        // Test values that no usual equation divides by or takes the root of below zero.
        double values[Formula::slotCount] = {0, 1.5, 2.5, 3.5, 4.5, 5.5, 0};
        const FormulaValue result = formula->evaluate(values);
        // An error that depends on the values (#DIV/0!, #NUM!) is the data's, not the formula's.
        numeric = result.isNumber() || result.error() == FormulaError::DivideByZero ||
                  result.error() == FormulaError::Number;
    }
    if (!numeric) {
        dialogs_.message(MessageKind::Exclamation,
                         (row > 0 ? QStringLiteral("Error in formula in row ") +
                                        QString::number(row) + QStringLiteral(" ( ")
                                  : QStringLiteral("Error in formula ( ")) +
                             text + QStringLiteral(" )"));
        return false;
    }
    return true;
}

bool UserCalcWindow::RunUserCalculation() {
    rows_ = RowSet();
    results_.clear();
    failures_ = 0;
    if (equation.trimmed().isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Equation missing."));
        return false;
    }
    std::vector<CalcVariable> bound(variables.begin(), variables.end());
    if (std::none_of(bound.begin(), bound.end(), [](const CalcVariable& v) { return v.bound(); })) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("No tables and fields selected!"));
        return false;
    }
    if (!CheckFormula(equation)) {
        dialogs_.message(MessageKind::Critical, QStringLiteral("Error in formula"));
        return false;
    }
    if (useFilter && filter.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Select filter!"));
        return false;
    }
    Connection* db = session_.connection();
    if (!db) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No database open"));
        return false;
    }
    const FilterBaseResolver filters(*db, session_.catalogue());
    const LinkSearch links(session_.catalogue(), filters);
    select_ = CalcSelect::build(bound, useFilter ? filter : QString(), session_.catalogue(), links,
                                filters);
    if (!select_.error.isEmpty()) {
        dialogs_.message(MessageKind::Critical, select_.error);
        return false;
    }
    status_.showStatus(QStringLiteral("Calculating ..."), 1);
    auto fetched = db->query(select_.statement);
    if (!fetched) {
        status_.showStatus(QString(), 0);
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Error in reading the rows:") + crlf + db->lastError());
        return false;
    }
    rows_ = std::move(*fetched);
    runEquation_ = equation;

    const QString cellFormula = UserCalcFormula::RewriteFormula(equation, Mapping::Run);
    const unsigned used = UserCalcFormula::variablesUsed(equation, Mapping::Run);
    if (used == 0)
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("No a or b in equation or a and/or b written in upper "
                                        "case. This may cause problems, check result."));
    const auto formula = Formula::compile(cellFormula);
    for (qsizetype r = 0; formula && r < rows_.rowCount(); ++r) {
        double inputs[Formula::slotCount] = {};
        bool missing = false;
        for (int v = 0; v < UserCalcFormula::variableCount; ++v) {
            const int column = select_.columns[size_t(v)];
            if (column < 0 || !(used & (1u << v)))
                continue;
            const auto number = rows_.at(r, column).toNumber();
            missing = missing || !number;
            inputs[v] = number.value_or(0);
        }
        const FormulaValue value = missing ? FormulaValue() : formula->evaluate(inputs);
        if (missing || !value.isNumber()) {
            results_.push_back(std::nullopt);
            ++failures_;
        } else {
            results_.push_back(value.toNumber());
        }
    }
    status_.showStatus(QString(), 0);
    const qsizetype n = rows_.rowCount();
    if (n == 0)
        dialogs_.message(MessageKind::Information, QStringLiteral("No rows calculated"));
    else if (failures_ == 0)
        dialogs_.message(MessageKind::Information, QStringLiteral("All (") + QString::number(n) +
                                                       QStringLiteral(") calculated succesfully.") +
                                                       crlf +
                                                       QStringLiteral("Define the storage place."));
    else
        dialogs_.message(MessageKind::Information,
                         QString::number(n) + QStringLiteral(" calculated, of which ") +
                             QString::number(failures_) +
                             QStringLiteral(" failed (due to Null value or zero denominator).") +
                             crlf + QStringLiteral("Define the storage place."));
    return n > 0;
}

QString UserCalcWindow::summary() const {
    const qsizetype n = rows_.rowCount();
    if (n > 0 && failures_ == n)
        return QStringLiteral("Error in all the cases. Result in all the cases = Null");
    if (failures_ > 0)
        return QStringLiteral("Error in ") + QString::number(failures_) +
               QStringLiteral(" cases of ") + QString::number(n) +
               QStringLiteral(" calculated. Result in error cases = Null");
    return QString::number(n) + QStringLiteral(" cases succesfully calculated.");
}

QString UserCalcWindow::keyText(qsizetype row) const {
    return select_.keyField.isEmpty() ? QString() : valueText(rows_.at(row, 0));
}

QString UserCalcWindow::resultText(qsizetype i) const {
    if (i < 0 || i >= rows_.rowCount())
        return {};
    QStringList lines{QStringLiteral("Row ") + QString::number(i + 1) + QStringLiteral(". ") +
                      keyText(i) + QStringLiteral(": ")};
    for (int v = 0; v < UserCalcFormula::variableCount; ++v)
        if (const int column = select_.columns[size_t(v)]; column >= 0)
            lines << QStringLiteral("  ") + UserCalcFormula::letter(v) + QStringLiteral(" = ") +
                         valueText(rows_.at(i, column));
    lines << QStringLiteral("Equation: ") + runEquation_;
    const auto& r = results_[size_t(i)];
    lines << QStringLiteral("Result: ") +
                 (r ? CellValue::formatNumber(*r) : QStringLiteral("Null"));
    return lines.join(crlf);
}

QString UserCalcWindow::targetProblem(const QString& table, const QString& field) const {
    const QString key = select_.keyField;
    bool hasKey = false;
    for (const QString& f : session_.catalogue().fieldNames(SqlNames::plain(table)))
        hasKey = hasKey || (!key.isEmpty() && f.compare(key, Qt::CaseInsensitive) == 0);
    if (!hasKey)
        return QStringLiteral("Primary index field ") + key +
               QStringLiteral(" of the calculation can not be found in ") + table +
               QStringLiteral(" table.") + crlf +
               QStringLiteral("Result can not be stored in this table.");
    if (field.compare(key, Qt::CaseInsensitive) == 0)
        return QStringLiteral("Can not be stored on primary index");
    return {};
}

std::optional<qint64> UserCalcWindow::StoreUserCalculation(const Storage& storage) {
    Connection* db = session_.connection();
    if (storage.table.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Select table"));
        return std::nullopt;
    }
    if (storage.field.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Select field"));
        return std::nullopt;
    }
    if (!db || results_.empty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No rows calculated"));
        return std::nullopt;
    }
    const bool create = storage.field == newFieldChoice();
    const QString field = create ? storage.newField.trimmed() : storage.field;
    if (const QString problem = targetProblem(storage.table, field); !problem.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, problem);
        return std::nullopt;
    }
    if (create) {
        if (field.isEmpty()) {
            dialogs_.message(MessageKind::Exclamation,
                             QStringLiteral("Give name for the new field!"));
            return std::nullopt;
        }
        if (dialogs_.question(QStringLiteral("Do you want to create field ") + field +
                                  QStringLiteral(" in table ") + storage.table +
                                  QStringLiteral("?"),
                              QuestionButtons::YesNoCancel) != Answer::Yes)
            return std::nullopt;
        // A double, not a single: the stored value is the one computed.
        SchemaEditor editor(*db, session_.catalogue(), dialogs_);
        if (!editor.AddField(storage.table, field, QStringLiteral("DOUBLE"), {})) {
            dialogs_.message(MessageKind::Critical, QStringLiteral("Field ") + field +
                                                        QStringLiteral(" can not be created.") +
                                                        crlf + editor.lastError());
            return std::nullopt;
        }
    }
    if (dialogs_.question(
            QStringLiteral("Are you sure to store calculated values in the database?"),
            QuestionButtons::YesNoCancel) != Answer::Yes)
        return std::nullopt;

    const QString table = JetSqlQuoting::name(SqlNames::plain(storage.table));
    const QString column = JetSqlQuoting::name(field);
    const auto failed = [&](const QString& why) -> std::optional<qint64> {
        status_.showStatus(QString(), 0);
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Nothing was stored: ") + why + crlf + db->lastError());
        return std::nullopt;
    };
    TransactionScope transaction(*db);
    if (!transaction.began())
        return failed(QStringLiteral("the transaction cannot begin."));
    if (storage.emptyFirst &&
        !db->execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + column +
                     QStringLiteral(" = Null")))
        return failed(QStringLiteral("the field cannot be emptied."));
    auto update = db->prepare(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + column +
                              QStringLiteral(" = ? WHERE ") +
                              JetSqlQuoting::name(select_.keyField) + QStringLiteral(" = ?"));
    if (!update)
        return failed(QStringLiteral("the update cannot be prepared."));
    status_.showStatus(QStringLiteral("Storing"), 1);
    qint64 written = 0;
    for (qsizetype r = 0; r < rows_.rowCount(); ++r) {
        const auto& value = results_[size_t(r)];
        const auto changed = update->execute(
            {value ? CellValue::number(*value) : CellValue::null(), rows_.at(r, 0)});
        if (!changed)
            return failed(QStringLiteral("row ") + QString::number(r + 1) +
                          QStringLiteral(" cannot be written."));
        written += *changed; // a key that is not in the table writes nothing
        if (r % 1000 == 0)
            status_.showStatus(QStringLiteral("Storing"),
                               int(100 * r / std::max<qsizetype>(rows_.rowCount(), 1)) + 1);
    }
    update.reset();
    if (!transaction.commit())
        return failed(QStringLiteral("the changes cannot be committed."));
    status_.showStatus(QString(), 0);
    dialogs_.message(MessageKind::Information,
                     QStringLiteral("Calculated values written to database into table ") +
                         SqlNames::plain(storage.table) + QStringLiteral(" in column ") + field +
                         crlf + QStringLiteral("A total of ") + QString::number(written) +
                         QStringLiteral(" rows written/updated."));
    return written;
}

QStringList UserCalcWindow::tableChoices() const {
    return session_.catalogue().tableNames();
}

QStringList UserCalcWindow::fieldChoices(const QString& table) const {
    return session_.catalogue().fieldNames(SqlNames::plain(table));
}

QStringList UserCalcWindow::filterChoices() const {
    return session_.catalogue().filters;
}
