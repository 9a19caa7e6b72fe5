#include "automation/PopulationAnalysis.h"

#include "automation/PopulationComparison.h"
#include "formula/Formula.h"
#include "platform/AdoType.h"
#include "platform/ColumnDescription.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/Status.h"
#include "stats/StatisticsComponent.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {
QString single(double v) {
    return QString::number(double(float(v)), 'g', 7);
}
bool is(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}
// "Mem1" ... "Mem5": the place's index, or -1.
int memoryIndex(const QString& name) {
    static const QRegularExpression mem(QStringLiteral("^MEM([1-5])$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = mem.match(name.trimmed());
    return m.hasMatch() ? m.captured(1).toInt() - 1 : -1;
}
} // namespace

QStringList PopulationAnalysis::actions() {
    return {"Population", "Add",    "Exclude", "Filter",   "Reset", "Criteria",  "Analyze",
            "GetRec",     "GetMem", "CalcMem", "ClearMem", "Store", "ShowTable", "Show",
            "AddToLog",   "If",     "Case",    "Equation", "Field", "Delete"};
}

QStringList PopulationAnalysis::operators() {
    return {"=",    "<",        "<=",      ">",           ">=",       "<>",
            "Like", "Not Like", "Is Null", "Is Not Null", "No Record"};
}

QStringList PopulationAnalysis::statistics() {
    return {"n",
            "avg",
            "weighed_avg",
            "stdev",
            "median",
            "min",
            "max",
            "sum",
            "first",
            "non-outlier min",
            "non-outlier max",
            "10% percentile",
            "25% percentile",
            "75% percentile",
            "90% percentile",
            "n_positive",
            "%_positive",
            "n_negative",
            "%_negative"};
}

PopulationAnalysis::PopulationAnalysis(Connection& data, Dialogs& dialogs, Status& status)
    : data_(data)
    , dialogs_(dialogs)
    , status_(status) {}

QString PopulationAnalysis::q(const QString& name) const {
    return JetSqlQuoting::name(name);
}

void PopulationAnalysis::say(const QString& line) {
    if (log)
        log(line);
}

QString PopulationAnalysis::statistic(const QString& name, const std::vector<double>& values,
                                      const std::vector<double>& weights) {
    const qsizetype n = qsizetype(values.size());
    if (is(name, "n"))
        return QString::number(n);
    if (n == 0)
        return {};
    const auto count = [&values](bool positive) {
        return std::count_if(values.begin(), values.end(),
                             [positive](double v) { return positive ? v > 0 : v < 0; });
    };
    if (is(name, "n_positive") || is(name, "n_negative"))
        return QString::number(count(is(name, "n_positive")));
    if (is(name, "%_positive") || is(name, "%_negative"))
        return single(100.0 * double(count(is(name, "%_positive"))) / double(n));
    if (is(name, "first"))
        return single(values.front());
    StatisticsComponent c;
    const bool weighted = is(name, "weighed_avg") && weights.size() == values.size();
    c.SetSize(int(n), 2, true);
    for (qsizetype i = 0; i < n; ++i) {
        c.setCellNumber(int(i) + 1, 1, values[size_t(i)]);
        if (weighted)
            c.setCellNumber(int(i) + 1, 2, weights[size_t(i)]);
    }
    if (weighted ? !c.SelectWeightedColumn(1, 2, 0) : !c.SelectColumn(1, 0))
        return {};
    static const std::vector<std::pair<const char*, const char*>> names{
        {"avg", "AVG"},
        {"weighed_avg", "AVG"},
        {"stdev", "STDEV"},
        {"median", "MEDIAN"},
        {"min", "MIN"},
        {"max", "MAX"},
        {"sum", "SUM"},
        {"non-outlier min", "NONOUTLIERMIN"},
        {"non-outlier max", "NONOUTLIERMAX"},
        {"10% percentile", "PERC_10"},
        {"25% percentile", "PERC_25"},
        {"75% percentile", "PERC_75"},
        {"90% percentile", "PERC_90"}};
    for (const auto& [ours, component] : names)
        if (is(name, ours)) {
            const double v = c.Statistic(QString::fromLatin1(component));
            return v == StatisticsComponent::noValue || !std::isfinite(v) ? QString() : single(v);
        }
    return {};
}

QString PopulationAnalysis::combineMemory(const QString& how, const std::array<QString, 5>& m) {
    std::vector<double> values;
    for (const QString& text : m) {
        bool ok = false;
        const double v = text.trimmed().toDouble(&ok);
        if (!text.trimmed().isEmpty() && ok)
            values.push_back(v);
    }
    // No places to combine: no result, rather than a division by zero.
    if (values.empty())
        return {};
    if (is(how, "min"))
        return single(*std::min_element(values.begin(), values.end()));
    if (is(how, "max"))
        return single(*std::max_element(values.begin(), values.end()));
    double sum = 0;
    for (double v : values)
        sum += v;
    if (is(how, "sum"))
        return single(sum);
    if (is(how, "avg"))
        return single(sum / double(values.size()));
    return {};
}

QString PopulationAnalysis::calculate(const QString& equation, const std::array<QString, 5>& m) {
    static const QRegularExpression mem(QStringLiteral("\\bMem([1-5])\\b"),
                                        QRegularExpression::CaseInsensitiveOption);
    // The places are the cells A1 ... E1 of the formula.
    QString rewritten;
    qsizetype from = 0;
    for (auto it = mem.globalMatch(equation); it.hasNext();) {
        const auto match = it.next();
        rewritten += equation.mid(from, match.capturedStart() - from);
        rewritten += QChar(u'A' + match.captured(1).toInt() - 1) + QStringLiteral("1");
        from = match.capturedEnd();
    }
    rewritten += equation.mid(from);
    const auto formula = Formula::compile(rewritten);
    if (!formula)
        return {};
    std::array<double, Formula::slotCount> inputs{};
    for (size_t i = 0; i < m.size(); ++i)
        inputs[i] = m[i].trimmed().toDouble();
    const FormulaValue v = formula->evaluate(inputs);
    if (v.isError())
        return {};
    return v.isNumber() ? QString::number(v.toNumber(), 'g', 15) : v.toText();
}

QString PopulationAnalysis::criteriaSql(const QString& criteria, const QString& op) const {
    QString c = criteria;
    const int place = memoryIndex(c);
    if (c.trimmed().size() == 4 && place >= 0)
        c = memory[size_t(place)];
    if (is(op, "Like") || is(op, "Not Like"))
        return c;
    bool numeric = false;
    c.trimmed().toDouble(&numeric);
    if (numeric)
        return c.trimmed();
    if (c.size() >= 2 && c.startsWith(QLatin1Char('\'')) && c.endsWith(QLatin1Char('\'')))
        return c;
    return JetSqlQuoting::text(c);
}

// The work table's key column takes the key's kind: a text key column against a number key
// fails every join on a server that does not convert.
QString PopulationAnalysis::keyType() {
    const auto columns = data_.columns();
    if (columns)
        for (const ColumnDescription& c : *columns) {
            if (c.table.compare(definition.table, Qt::CaseInsensitive) != 0 ||
                c.name.compare(definition.key, Qt::CaseInsensitive) != 0)
                continue;
            switch (c.typeCode) {
            case AdoType::TinyInt:
            case AdoType::UnsignedTinyInt:
            case AdoType::SmallInt:
            case AdoType::Integer:
            case AdoType::BigInt:
                return QStringLiteral("LONG");
            case AdoType::Single:
            case AdoType::Double:
            case AdoType::Currency:
            case AdoType::Numeric:
                return QStringLiteral("DOUBLE");
            default:
                break;
            }
            if (c.maxLength > 0 && c.maxLength <= 255)
                return QStringLiteral("TEXT(") + QString::number(c.maxLength) + QLatin1Char(')');
        }
    return QStringLiteral("TEXT(255)");
}

bool PopulationAnalysis::ensureWorkTable() {
    // Made anew for each run: an earlier run's table may hold another key.
    if (data_.columnNamesOf(workTable()))
        data_.execute(QStringLiteral("DROP TABLE ") + q(workTable()));
    return data_
               .execute(QStringLiteral("CREATE TABLE ") + q(workTable()) + QStringLiteral(" (") +
                        q(definition.key) + QLatin1Char(' ') + keyType() + QLatin1Char(')'))
               .has_value() &&
           data_
               .execute(QStringLiteral("CREATE UNIQUE INDEX [QUVPopKey] ON ") + q(workTable()) +
                        QStringLiteral(" (") + q(definition.key) + QStringLiteral(") WITH PRIMARY"))
               .has_value();
}

// The population's keys into the work table; the value is bound, so a quote in it is kept.
bool PopulationAnalysis::fillKeys(const CellValue& value) {
    const Definition& d = definition;
    const bool number = value.kind() == CellValue::Kind::Number;
    return data_
        .execute(QStringLiteral("INSERT INTO ") + q(workTable()) + QStringLiteral(" (") + q(d.key) +
                     QStringLiteral(") SELECT ") + q(d.key) + QStringLiteral(" FROM ") +
                     q(d.table) + QStringLiteral(" WHERE ") + q(d.field) +
                     (number ? QStringLiteral(" = ?") : QStringLiteral(" LIKE ?")) +
                     QStringLiteral(" AND ") + q(d.key) + QStringLiteral(" Is Not Null"),
                 {value})
        .has_value();
}

bool PopulationAnalysis::run() {
    const Definition& d = definition;
    if (d.table.isEmpty() || d.field.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Population ID data missing!"));
        return false;
    }
    const QString statement =
        d.filter.isEmpty()
            ? QStringLiteral("SELECT DISTINCT ") + q(d.field) + QStringLiteral(" FROM ") +
                  q(d.table) + QStringLiteral(" WHERE ") + q(d.field) +
                  QStringLiteral(" Is Not Null")
            : QStringLiteral("SELECT DISTINCT ") + q(d.table) + QLatin1Char('.') + q(d.field) +
                  QStringLiteral(" FROM ") + q(d.table) + QStringLiteral(", ") +
                  q(QStringLiteral("f_") + d.filter) + QStringLiteral(" WHERE (") + q(d.table) +
                  QLatin1Char('.') + q(d.key) + QStringLiteral(" = ") +
                  q(QStringLiteral("f_") + d.filter) + QLatin1Char('.') + q(d.key) +
                  QStringLiteral(" AND ") + q(d.table) + QLatin1Char('.') + q(d.field) +
                  QStringLiteral(" Is Not Null)");
    status_.showStatus(QStringLiteral("Analysing..."), 1);
    say(QStringLiteral("Running Population analysis. File = ") + programFile);
    const auto populations = data_.query(statement);
    if (!populations || populations->isEmpty()) {
        status_.showStatus(QString(), 0);
        dialogs_.message(MessageKind::Information, QStringLiteral("No cases"));
        return false;
    }
    say(QStringLiteral("Cases: ") + QString::number(populations->rowCount()));
    results_.start(resultDatabase, resultDatabaseName, resultTable);
    grouped_.clear();
    if (groupable(*populations)) {
        for (int row = 1; row <= program.lastRow(); ++row)
            if (is(program.text(row, Action).trimmed(), "Analyze") && !readGrouped(row)) {
                grouped_.clear();
                break;
            }
    }
    if (grouped_.empty() && !ensureWorkTable()) {
        status_.showStatus(QString(), 0);
        say(data_.lastError());
        return false;
    }
    // The stored rows are written together; those stored before an Abort stay.
    Connection* results = resultDatabase;
    const bool batched = results && results->beginTransaction();
    const int ran = runRows(*populations);
    if (batched)
        results->commit();
    if (ran < 0) {
        status_.resetAbort();
        status_.showStatus(QString(), 0);
        dialogs_.message(MessageKind::Information, QStringLiteral("Aborted"));
        return false;
    }
    status_.showStatus(QStringLiteral(" Population Analysis Ready! See Log!"), 0);
    return true;
}

// The populations in turn; -1 when Abort stopped them.
int PopulationAnalysis::runRows(const RowSet& populations) {
    int ran = 0;
    for (qsizetype i = 0; i < populations.rowCount(); ++i) {
        status_.showStatus({}, int(100 * (i + 1) / populations.rowCount()));
        if (status_.abortRequested())
            return -1;
        const CellValue& value = populations.at(i, 0);
        if (value.isMissing())
            continue;
        ++ran;
        if (!runFor(value))
            break;
    }
    return ran;
}

bool PopulationAnalysis::groupable(const RowSet& populations) const {
    for (int row = 1; row <= program.lastRow(); ++row) {
        const QString action = program.text(row, Action).trimmed();
        if (action.isEmpty())
            break;
        const bool plain = action.startsWith(QStringLiteral("Population"), Qt::CaseInsensitive) ||
                           is(action, "Case") || is(action, "GetMem") || is(action, "CalcMem") ||
                           is(action, "ClearMem") || is(action, "Store") || is(action, "AddToLog");
        const bool groupedAnalyze =
            is(action, "Analyze") && program.text(row, SecondField).isEmpty();
        if (!plain && !groupedAnalyze)
            return false;
    }
    QSet<QString> folded;
    for (qsizetype i = 0; i < populations.rowCount(); ++i) {
        const QString text = populations.at(i, 0).toText();
        if (text.contains(QLatin1Char('%')) || text.contains(QLatin1Char('_')) ||
            text.contains(QLatin1Char('[')) || text.contains(QLatin1Char('*')) ||
            text.contains(QLatin1Char('?')) || text.contains(QLatin1Char('#')))
            return false;
        const QString key = text.toCaseFolded();
        if (folded.contains(key))
            return false;
        folded.insert(key);
    }
    return true;
}

bool PopulationAnalysis::readGrouped(int row) {
    const Definition& d = definition;
    const QString p = q(d.table);
    const QString t = q(program.text(row, Table));
    const QString field = q(program.text(row, Field));
    const QString key = q(d.key);
    // The population table itself needs no join with itself.
    const bool same = program.text(row, Table).compare(d.table, Qt::CaseInsensitive) == 0;
    const QString from = same ? p : p + QStringLiteral(", ") + t;
    const QString join = same ? QString()
                              : p + QLatin1Char('.') + key + QStringLiteral(" = ") + t +
                                    QLatin1Char('.') + key + QStringLiteral(" AND ");
    auto& values = grouped_[row];
    return data_.forEachRow(QStringLiteral("SELECT ") + p + QLatin1Char('.') + q(d.field) +
                                QStringLiteral(", ") + t + QLatin1Char('.') + field +
                                QStringLiteral(" FROM ") + from + QStringLiteral(" WHERE (") +
                                join + p + QLatin1Char('.') + q(d.field) +
                                QStringLiteral(" Is Not Null AND ") + p + QLatin1Char('.') + key +
                                QStringLiteral(" Is Not Null AND ") + t + QLatin1Char('.') + field +
                                QStringLiteral(" Is Not Null) ORDER BY 1, 2"),
                            [&values](const RowSet::Row& r) {
                                Fetched& f = values[r[0].toText()];
                                ++f.records;
                                if (const auto v = r[1].toNumber())
                                    f.values.push_back(*v);
                            });
}

bool PopulationAnalysis::runFor(const CellValue& value) {
    if (grouped_.empty()) {
        data_.execute(QStringLiteral("DELETE FROM ") + q(workTable()));
        fillKeys(value);
    }
    for (int row = 1; row <= program.lastRow(); ++row) {
        const QString action = program.text(row, Action).trimmed();
        if (action.isEmpty())
            break;
        if (action.startsWith(QStringLiteral("Population"), Qt::CaseInsensitive) ||
            is(action, "Case"))
            continue;
        switch (runRow(row, value)) {
        case Flow::Next:
            break;
        case Flow::SkipNext:
            // Past the If's Case rows, then over the row after them.
            while (is(program.text(row + 1, Action).trimmed(), "Case"))
                ++row;
            ++row;
            break;
        case Flow::Exit:
            return true;
        case Flow::Stop:
            return false;
        }
    }
    return true;
}

void PopulationAnalysis::put(const QString& target, const QString& value) {
    result = value;
    const int place = memoryIndex(target);
    if (place >= 0)
        memory[size_t(place)] = value;
}

PopulationAnalysis::Flow PopulationAnalysis::runRow(int row, const CellValue& value) {
    const QString action = program.text(row, Action).trimmed();
    const QString table = program.text(row, Table);
    const QString field = program.text(row, Field);
    const QString op = program.text(row, Operator).trimmed();
    const QString criteria = program.text(row, Criteria);
    const QString target = program.text(row, Target);
    const QString second = program.text(row, SecondField);
    const QString key = definition.key;
    const QString work = q(workTable());
    const QString t = q(table);
    const QString sql = criteriaSql(criteria, op);
    if (is(action, "Add")) {
        const QString base = q(definition.table);
        data_.execute(QStringLiteral("INSERT INTO ") + work + QStringLiteral(" ( ") + q(key) +
                      QStringLiteral(" ) SELECT DISTINCT ") + base + QLatin1Char('.') + q(key) +
                      QStringLiteral(" FROM ") + base + QStringLiteral(", ") + t +
                      QStringLiteral(" WHERE ((") + base + QLatin1Char('.') + q(key) +
                      QStringLiteral(" = ") + t + QLatin1Char('.') + q(key) +
                      QStringLiteral(" AND ") + t + QLatin1Char('.') + q(field) + QLatin1Char(' ') +
                      op + QLatin1Char(' ') + sql + QStringLiteral(" AND ") + base +
                      QLatin1Char('.') + q(key) + QStringLiteral(" NOT IN (SELECT ") + q(key) +
                      QStringLiteral(" FROM ") + work + QStringLiteral(")))"));
    } else if (is(action, "Exclude")) {
        QString condition;
        if (is(op, "No Record"))
            condition = QStringLiteral("SELECT ") + work + QLatin1Char('.') + q(key) +
                        QStringLiteral(" FROM ") + work + QStringLiteral(" LEFT JOIN ") + t +
                        QStringLiteral(" ON ") + work + QLatin1Char('.') + q(key) +
                        QStringLiteral(" = ") + t + QLatin1Char('.') + q(key) +
                        QStringLiteral(" WHERE ") + t + QLatin1Char('.') + q(key) +
                        QStringLiteral(" Is Null");
        else
            condition =
                QStringLiteral("SELECT ") + q(key) + QStringLiteral(" FROM ") + t +
                QStringLiteral(" WHERE ") + t + QLatin1Char('.') + q(field) + QLatin1Char(' ') +
                op +
                (is(op, "Is Null") || is(op, "Is Not Null") ? QString() : QLatin1Char(' ') + sql);
        data_.execute(QStringLiteral("DELETE FROM ") + work + QStringLiteral(" WHERE ") + q(key) +
                      QStringLiteral(" IN (") + condition + QLatin1Char(')'));
    } else if (is(action, "Filter")) {
        data_.execute(QStringLiteral("DELETE FROM ") + work + QStringLiteral(" WHERE ") + q(key) +
                      QStringLiteral(" NOT IN (SELECT ") + q(key) + QStringLiteral(" FROM ") +
                      q(QStringLiteral("f_") + (table.isEmpty() ? definition.filter : table)) +
                      QLatin1Char(')'));
    } else if (is(action, "Reset")) {
        data_.execute(QStringLiteral("DELETE FROM ") + work);
        fillKeys(value);
    } else if (is(action, "Analyze") && grouped_.count(row)) {
        const auto& byPopulation = grouped_.at(row);
        const auto found = byPopulation.find(value.toText());
        const Fetched none;
        const Fetched& f = found == byPopulation.end() ? none : found->second;
        // n counts the records, numbers or not.
        put(target, is(op, "n") ? QString::number(f.records) : statistic(op, f.values));
    } else if (is(action, "Analyze")) {
        const bool weighted = !second.isEmpty();
        const auto rows = data_.query(
            QStringLiteral("SELECT ") + t + QLatin1Char('.') + q(field) +
            (weighted ? QStringLiteral(",") + t + QLatin1Char('.') + q(second) : QString()) +
            QStringLiteral("  FROM ") + t + QStringLiteral(", ") + work +
            QStringLiteral(" WHERE (") + work + QLatin1Char('.') + q(key) + QStringLiteral(" = ") +
            t + QLatin1Char('.') + q(key) + QStringLiteral(" AND ") + t + QLatin1Char('.') +
            q(field) + QStringLiteral(" Is Not Null") +
            (weighted ? QStringLiteral(" AND ") + t + QLatin1Char('.') + q(second) +
                            QStringLiteral(" Is Not Null")
                      : QString()) +
            QStringLiteral(") ORDER BY 1"));
        std::vector<double> values, weights;
        if (rows)
            for (qsizetype r = 0; r < rows->rowCount(); ++r) {
                const auto v = rows->at(r, 0).toNumber();
                if (!v)
                    continue;
                values.push_back(*v);
                if (weighted)
                    weights.push_back(rows->at(r, 1).toNumber().value_or(0));
            }
        put(target, is(op, "n") && rows ? QString::number(rows->rowCount())
                                        : statistic(op, values, weights));
    } else if (is(action, "GetRec")) {
        const auto rows = data_.query(
            QStringLiteral("SELECT ") + t + QLatin1Char('.') + q(field) + QStringLiteral(", ") + t +
            QLatin1Char('.') + q(key) + QStringLiteral(" FROM ") + t + QStringLiteral(", ") + work +
            QStringLiteral(" WHERE (") + work + QLatin1Char('.') + q(key) + QStringLiteral(" = ") +
            t + QLatin1Char('.') + q(key) + QStringLiteral(" AND ") + t + QLatin1Char('.') +
            q(field) + QStringLiteral(" Is Not Null) ORDER BY ") + t + QLatin1Char('.') + q(field) +
            (is(op, "max") ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
        put(target, rows && !rows->isEmpty() ? rows->at(0, 0).toText() : QString());
    } else if (is(action, "GetMem")) {
        put(target, combineMemory(op, memory));
    } else if (is(action, "CalcMem")) {
        put(target, calculate(criteria, memory));
    } else if (is(action, "ClearMem")) {
        memory.fill(QString());
    } else if (is(action, "Store")) {
        const int place = memoryIndex(criteria);
        const QString stored =
            place >= 0 ? memory[size_t(place)] : (criteria.isEmpty() ? result : criteria);
        QString column = target;
        if (column == newField()) {
            const auto name = dialogs_.input(Dialogs::title(), newFieldPrompt(), {});
            if (!name || name->trimmed().isEmpty())
                return Flow::Stop;
            // Asked once: the row names the column from now on.
            column = name->trimmed();
            program.setText(row, Target, column);
        }
        if (!results_.store(column, program.text(row, ValueType), stored, value))
            return Flow::Stop;
    } else if (is(action, "ShowTable")) {
        if (showTable)
            showTable(QStringLiteral("SELECT ") + t + QStringLiteral(".* FROM ") + t +
                          QStringLiteral(", ") + work + QStringLiteral(" WHERE ") + t +
                          QLatin1Char('.') + q(key) + QStringLiteral(" = ") + work +
                          QLatin1Char('.') + q(key),
                      QStringLiteral("Showing Table ") + table + QStringLiteral(" of population ") +
                          value.toText());
    } else if (is(action, "Show")) {
        if (verify &&
            dialogs_.question(QStringLiteral("Analysis ") + QString::number(row) +
                                  QStringLiteral(" of ") + value.toText() + QStringLiteral(" is ") +
                                  result + QStringLiteral("\r\nContinue?"),
                              QuestionButtons::YesNo) != Answer::Yes)
            return Flow::Stop;
    } else if (is(action, "AddToLog")) {
        say(value.toText() + QStringLiteral(": ") + (criteria.isEmpty() ? result : criteria));
    } else if (is(action, "Criteria")) {
        narrowTo(row);
    } else if (is(action, "Equation")) {
        const QString computed = calculate(criteria, memory);
        put(target, computed);
        if (!table.isEmpty() && !field.isEmpty())
            data_.execute(QStringLiteral("UPDATE ") + t + QStringLiteral(" SET ") + q(field) +
                              QStringLiteral(" = ? WHERE ") + q(key) +
                              QStringLiteral(" IN (SELECT ") + q(key) + QStringLiteral(" FROM ") +
                              work + QLatin1Char(')'),
                          {equationValue(computed)});
    } else if (is(action, "Field")) {
        const auto rows = data_.query(
            QStringLiteral("SELECT ") + t + QLatin1Char('.') + q(field) + QStringLiteral(" FROM ") +
            t + QStringLiteral(", ") + work + QStringLiteral(" WHERE (") + work + QLatin1Char('.') +
            q(key) + QStringLiteral(" = ") + t + QLatin1Char('.') + q(key) +
            QStringLiteral(" AND ") + t + QLatin1Char('.') + q(field) +
            QStringLiteral(" Is Not Null) ORDER BY ") + t + QLatin1Char('.') + q(key));
        put(target, rows && !rows->isEmpty() ? rows->at(0, 0).toText() : QString());
    } else if (is(action, "Delete")) {
        if (!results_.remove(target, value))
            return Flow::Stop;
    } else if (is(action, "If")) {
        return decide(row);
    }
    return Flow::Next;
}

CellValue PopulationAnalysis::equationValue(const QString& computed) {
    bool numeric = false;
    const double number = computed.toDouble(&numeric);
    return computed.isEmpty() ? CellValue::null()
           : numeric          ? CellValue::number(number)
                              : CellValue::text(computed);
}

QString PopulationAnalysis::compared(const QString& name) const {
    const int place = memoryIndex(name);
    return place >= 0 ? memory[size_t(place)] : (name.isEmpty() ? result : name);
}

// If: the value of column 3 (a memory place, or the result box when empty) compared by the
// operator with the criteria. When it does not hold, the Case rows right below are tried in
// turn, each with its own column 3 or the If's. Column 6 of the row that holds is the outcome.
PopulationAnalysis::Flow PopulationAnalysis::decide(int row) {
    const QString value = compared(program.text(row, Field));
    for (int r = row;; ++r) {
        if (r > row && !is(program.text(r, Action).trimmed(), "Case"))
            return Flow::Next;
        const QString own = program.text(r, Field);
        const QString left = own.isEmpty() ? value : compared(own);
        const QString right = compared(program.text(r, Criteria));
        if (PopulationComparison::holds(left, program.text(r, Operator), right))
            return outcome(program.text(r, Target).trimmed());
    }
}

// "Skip" passes over the row after the If and its Case rows, "Exit" ends this population's
// program, "Null" empties the result box; any other text goes into the result box.
PopulationAnalysis::Flow PopulationAnalysis::outcome(const QString& text) {
    if (is(text, "Skip"))
        return Flow::SkipNext;
    if (is(text, "Exit"))
        return Flow::Exit;
    if (is(text, "Null"))
        result.clear();
    else if (!text.isEmpty())
        result = text;
    return Flow::Next;
}

// Criteria: only the keys whose record in the table meets the condition stay; the criteria
// is bound. "No Record" keeps the keys without a record in the table.
void PopulationAnalysis::narrowTo(int row) {
    const QString t = q(program.text(row, Table));
    const QString op = program.text(row, Operator).trimmed();
    const QString key = q(definition.key);
    const QString work = q(workTable());
    if (is(op, "No Record")) {
        data_.execute(QStringLiteral("DELETE FROM ") + work + QStringLiteral(" WHERE ") + key +
                      QStringLiteral(" IN (SELECT ") + key + QStringLiteral(" FROM ") + t +
                      QLatin1Char(')'));
        return;
    }
    if (!operators().contains(op, Qt::CaseInsensitive))
        return;
    const bool unary = is(op, "Is Null") || is(op, "Is Not Null");
    std::vector<CellValue> bound;
    if (!unary)
        bound.push_back(criteriaValue(program.text(row, Criteria), op));
    // Keys without a value would make NOT IN hold for no key at all.
    data_.execute(QStringLiteral("DELETE FROM ") + work + QStringLiteral(" WHERE ") + key +
                      QStringLiteral(" NOT IN (SELECT ") + t + QLatin1Char('.') + key +
                      QStringLiteral(" FROM ") + t + QStringLiteral(" WHERE ") + t +
                      QLatin1Char('.') + key + QStringLiteral(" Is Not Null AND ") + t +
                      QLatin1Char('.') + q(program.text(row, Field)) + QLatin1Char(' ') + op +
                      (unary ? QString() : QStringLiteral(" ?")) + QLatin1Char(')'),
                  bound);
}

CellValue PopulationAnalysis::criteriaValue(const QString& criteria, const QString& op) const {
    QString c = criteria;
    const int place = memoryIndex(c);
    if (c.trimmed().size() == 4 && place >= 0)
        c = memory[size_t(place)];
    if (is(op, "Like") || is(op, "Not Like"))
        return CellValue::text(c);
    bool numeric = false;
    const double number = c.trimmed().toDouble(&numeric);
    if (numeric)
        return CellValue::number(number);
    if (c.size() >= 2 && c.startsWith(QLatin1Char('\'')) && c.endsWith(QLatin1Char('\'')))
        c = c.mid(1, c.size() - 2);
    return CellValue::text(c);
}
