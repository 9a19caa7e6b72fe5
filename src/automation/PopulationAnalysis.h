#pragma once
// Population analysis ("frmProgram" without its widgets): runs the program sheet once for every
// distinct value of the population field. For each population the work table "QUVPop" holds the
// keys of its records; the program's rows narrow that key set (Add, Exclude, Filter, Reset),
// compute statistics over it (Analyze, GetRec), combine values in five memory places (GetMem,
// CalcMem, ClearMem, Field, Equation), decide (If with its Case rows) and store one result row
// per population (Store, Delete). Population values and the criteria of Criteria rows reach the
// SQL as bound parameters. Talks through Dialogs and Status; holds its
// connections, which must outlive it.
#include "automation/PopulationResults.h"
#include "platform/CellValue.h"
#include "platform/RowSet.h"
#include "platform/Sheet.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <optional>

class Connection;
class Dialogs;
class Status;

class PopulationAnalysis {
public:
    // The program sheet's columns.
    enum Column { Action = 1, Table, Field, Operator, Criteria, Target, ValueType, SecondField };
    struct Definition {
        QString table, field, key;
        QString filter; // without its "f_"
    };

    static QStringList actions();
    static QStringList operators();
    static QStringList statistics();
    static QString workTable() { return QStringLiteral("QUVPop"); }
    // A Store row's result column that asks for its name.
    static QString newField() { return QStringLiteral("<<New Field>>"); }
    static QString newFieldPrompt() { return QStringLiteral("Name of the new field:"); }

    PopulationAnalysis(Connection& data, Dialogs& dialogs, Status& status);

    Definition definition;
    Sheet program;
    // Where Store writes, named in its question; none: "Result database not defined!".
    Connection* resultDatabase = nullptr;
    QString resultDatabaseName;
    QString resultTable = QStringLiteral("Analysis");
    QString programFile;
    // "Show and verify result after each analysis".
    bool verify = false;
    // The log window's lines, and ShowTable's grid (statement, caption).
    std::function<void(const QString&)> log;
    std::function<void(const QString& statement, const QString& caption)> showTable;

    // Run: every population; false when nothing ran or the run was stopped.
    bool run();
    // The program for one population value.
    bool runFor(const CellValue& value);
    // The memory places Mem1 ... Mem5 and the result box.
    std::array<QString, 5> memory;
    QString result;

    // One Analyze statistic of values (ordered as fetched), weights for "weighed_avg"; empty
    // when it cannot be computed (no values, a percentage of none).
    static QString statistic(const QString& name, const std::vector<double>& values,
                             const std::vector<double>& weights = {});
    // GetMem: min, max, sum or avg of the non-empty places; empty when none.
    static QString combineMemory(const QString& how, const std::array<QString, 5>& memory);
    // CalcMem: the equation with Mem1..Mem5; empty on an error value.
    static QString calculate(const QString& equation, const std::array<QString, 5>& memory);
    // The criteria as SQL: a memory place's value, a number bare, else quoted.
    QString criteriaSql(const QString& criteria, const QString& op) const;

private:
    enum class Flow { Next, SkipNext, Exit, Stop };
    Flow runRow(int row, const CellValue& value);
    bool fillKeys(const CellValue& value);
    // A program whose rows never change the key set nor need one record at a time reads each
    // Analyze row's values for all populations in one grouped query; populations whose values
    // a LIKE could mix (wild cards, names equal but for case) keep the row-by-row way.
    bool groupable(const RowSet& populations) const;
    bool readGrouped(int row);
    int runRows(const RowSet& populations);
    bool ensureWorkTable();
    QString keyType();
    void put(const QString& target, const QString& value);
    // If and its Case rows.
    Flow decide(int row);
    Flow outcome(const QString& text);
    QString compared(const QString& name) const;
    void narrowTo(int row);
    // The criteria as a bound value: a memory place's value, a number, else the text without
    // its quotes.
    CellValue criteriaValue(const QString& criteria, const QString& op) const;
    static CellValue equationValue(const QString& computed);
    QString q(const QString& name) const;
    void say(const QString& line);

    Connection& data_;
    Dialogs& dialogs_;
    Status& status_;
    PopulationResults results_{dialogs_};
    // By Analyze row: each population's record count and numeric values (by the population
    // value's text), in ascending order.
    struct Fetched {
        qsizetype records = 0;
        std::vector<double> values;
    };
    std::map<int, std::map<QString, Fetched>> grouped_;
};
