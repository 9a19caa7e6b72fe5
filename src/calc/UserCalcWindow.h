#pragma once
// The user calculations window ("User Defined Derivatives"): five variables a to e bound to
// table fields, an equation over them, the formula check, the run over the selected rows (with
// an optional filter) and the storing of the results into a field of a session table by the
// calculation's key. Talks to the person through Dialogs and Status only. Holds its caller's
// session, which must outlive it.
#include "calc/CalcSelect.h"
#include "calc/CalcVariable.h"
#include "calc/UserCalcFormula.h"
#include "platform/RowSet.h"

#include <QStringList>
#include <array>
#include <optional>
#include <vector>

class Dialogs;
class SessionDatabase;
class Status;

class UserCalcWindow {
public:
    UserCalcWindow(SessionDatabase& session, Dialogs& dialogs, Status& status);

    static QString caption() { return QStringLiteral("User Defined Derivatives"); }
    static QString newFieldChoice() { return QStringLiteral("<< Create New Field >>"); }
    // The offered functions, in the order of the function list.
    static QStringList functionList();
    // What choosing an entry of the function list inserts: its name and "(".
    static QString functionInsert(const QString& entry);

    std::array<CalcVariable, UserCalcFormula::variableCount> variables;
    QString equation;
    bool useFilter = false; // "Use filtered data"
    QString filter;         // without "f_"

    // CheckFormula: false after "No element defined for " + letter or "Error in formula ( ... )"
    // (row > 0: "Error in formula in row " + row + " ( ... )").
    bool CheckFormula(const QString& equation, int row = 0);
    // RunUserCalculation ("Calculate"): false when nothing was calculated (said why).
    bool RunUserCalculation();

    struct Storage {
        QString table;
        QString field;           // an existing field or newFieldChoice()
        QString newField;        // the name for newFieldChoice()
        bool emptyFirst = false; // "Empty the result field first (Null value stored)"
    };
    // StoreUserCalculation ("Store in DB"): the rows written, nullopt when nothing was written
    // (declined, refused or failed, said so).
    std::optional<qint64> StoreUserCalculation(const Storage& storage);
    // The message for a target table that lacks the key or a target field that is the key;
    // empty when the target can take the results.
    QString targetProblem(const QString& table, const QString& field) const;

    // The results of the last run: rows, failures, each row's value (nullopt: failed).
    qsizetype rowCount() const { return rows_.rowCount(); }
    qsizetype failureCount() const { return failures_; }
    const std::vector<std::optional<double>>& results() const { return results_; }
    // The run's summary line: "N cases succesfully calculated." or the error counts.
    QString summary() const;
    // The result tab's text for row i (0-based).
    QString resultText(qsizetype i) const;

    // What the pickers offer.
    QStringList tableChoices() const;
    QStringList fieldChoices(const QString& table) const;
    QStringList filterChoices() const;

private:
    QString keyText(qsizetype row) const;

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    CalcSelect select_;
    QString runEquation_;
    RowSet rows_;
    std::vector<std::optional<double>> results_;
    qsizetype failures_ = 0;
};
