#include "grid/DatabaseAppend.h"

#include "chem/EquivalentFields.h"
#include "db/FieldValues.h"
#include "db/PrimaryKey.h"
#include "db/SchemaCatalogue.h"
#include "grid/DecimalRounding.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/FieldNumber.h"
#include "platform/JetSqlQuoting.h"
#include "platform/NumberText.h"
#include "platform/Sheet.h"
#include "platform/Status.h"
#include "platform/TransactionScope.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <map>
#include <set>

namespace {

const QString crlf = QStringLiteral("\r\n");

bool numericColumn(const Sheet& sheet, int column) {
    bool any = false;
    for (int r = 2; r <= sheet.lastRow(); ++r) {
        if (sheet.isEmpty(r, column))
            continue;
        if (!FieldNumber::of(sheet.text(r, column)))
            return false;
        any = true;
    }
    return any;
}

// "A"/"a": all; numbers between 1 and count; 0 or nothing valid: none.
std::vector<int> chosenTables(const QString& answer, int count) {
    std::set<int> chosen;
    if (answer.trimmed().compare(QStringLiteral("A"), Qt::CaseInsensitive) == 0) {
        for (int i = 1; i <= count; ++i)
            chosen.insert(i);
    } else {
        for (const QString& part : answer.split(QLatin1Char(','))) {
            const auto n = NumberText::fromText(part);
            if (n && *n == int(*n) && *n >= 1 && *n <= count)
                chosen.insert(int(*n));
        }
    }
    return {chosen.begin(), chosen.end()};
}

} // namespace

DatabaseAppend::DatabaseAppend(Connection& database, const SchemaCatalogue& catalogue,
                               Dialogs& dialogs, Status& status)
    : database_(database)
    , catalogue_(catalogue)
    , dialogs_(dialogs)
    , status_(status) {}

QString DatabaseAppend::tablePrompt(int column, const QString& name, const QStringList& tables) {
    QString text = QStringLiteral("Field of column ") + QString::number(column) +
                   QStringLiteral(" : ") + name +
                   QStringLiteral(" was found in following tables:") + crlf;
    for (int i = 0; i < tables.size(); ++i)
        text += QString::number(i + 1) + QStringLiteral(" = ") + tables[i] + crlf;
    return text + QStringLiteral("Select table or tables (give numbers, comma between e.g. "
                                 "1,5,12). 'A' or 'a' to select all. Zero (0) to exclude data in "
                                 "database!");
}

bool DatabaseAppend::plan(const Sheet& sheet, std::vector<Target>& targets,
                          QStringList& notWritten) {
    for (int c = 1; c <= sheet.lastColumn(); ++c) {
        const QString heading = sheet.text(1, c).trimmed();
        QStringList tables;
        QStringList fields;
        std::vector<double> conversions; // pasted value into the field's unit
        for (const QString& table : catalogue_.tableNames())
            for (const QString& f : catalogue_.fieldNames(table))
                if (!heading.isEmpty() && f.compare(heading, Qt::CaseInsensitive) == 0) {
                    tables << table;
                    fields << f;
                    conversions.push_back(1.0);
                }
        // A heading no table has may be held in another unit (Cu% for Cu_ppm).
        QStringList shown = tables;
        if (tables.isEmpty() && !heading.isEmpty())
            for (const EquivalentField& e : EquivalentFields::find(heading, catalogue_)) {
                tables << e.table;
                fields << e.field;
                shown << e.table + QStringLiteral(" (") + e.field + QLatin1Char(')');
                conversions.push_back(1.0 / e.factor);
            }
        const QString name =
            QStringLiteral("Column ") + QString::number(c) + QLatin1Char('=') + heading;
        if (tables.isEmpty()) {
            notWritten << name;
            continue;
        }
        const auto answer =
            dialogs_.input(Dialogs::title(), tablePrompt(c, heading, shown), QStringLiteral("A"));
        if (!answer)
            return false;
        const std::vector<int> chosen = chosenTables(*answer, int(tables.size()));
        if (chosen.empty())
            notWritten << name;
        for (int i : chosen) {
            const QString& table = tables[i - 1];
            auto t = std::find_if(targets.begin(), targets.end(),
                                  [&](const Target& x) { return x.table == table; });
            if (t == targets.end())
                t = targets.insert(targets.end(), Target{table, {}});
            t->columns.push_back({c, fields[i - 1], conversions[size_t(i - 1)]});
        }
    }
    return true;
}

bool DatabaseAppend::askScaling(const Sheet& sheet, std::vector<Target>& targets) {
    const Answer scale = dialogs_.question(
        QStringLiteral("Do you want to give multipliers or numbers of decimals for the numeric "
                       "columns?"),
        QuestionButtons::YesNoCancel);
    if (scale == Answer::Cancel)
        return false;
    if (scale != Answer::Yes)
        return true;
    std::map<int, std::pair<double, int>> asked; // pasted column -> factor, digits
    for (Target& t : targets)
        for (Column& c : t.columns) {
            if (!numericColumn(sheet, c.column))
                continue;
            if (!asked.count(c.column)) {
                const QString which = QStringLiteral(" of column ") + QString::number(c.column) +
                                      QStringLiteral(" : ") + sheet.text(1, c.column);
                const auto factor =
                    dialogs_.input(Dialogs::title(), QStringLiteral("Give multiplier") + which,
                                   QStringLiteral("1"));
                if (!factor)
                    return false;
                const auto digits =
                    dialogs_.input(Dialogs::title(),
                                   QStringLiteral("Give number of decimals") + which +
                                       QStringLiteral(" (empty = as pasted)"),
                                   QString());
                if (!digits)
                    return false;
                const auto d = NumberText::fromText(*digits);
                asked[c.column] = {NumberText::fromText(*factor).value_or(1.0),
                                   d && *d >= 0 && *d <= 15 ? int(*d) : -1};
            }
            c.factor *= asked[c.column].first; // on top of a unit conversion
            c.digits = asked[c.column].second;
        }
    return true;
}

QString DatabaseAppend::planText(const std::vector<Target>& targets,
                                 const QStringList& notWritten) const {
    QString text = QStringLiteral("Data will be written in following tables:") + crlf;
    for (const Target& t : targets) {
        text += QStringLiteral("** ") + t.table + crlf;
        for (const Column& c : t.columns)
            text += QStringLiteral(" -Column ") + QString::number(c.column) +
                    QStringLiteral(" in field ") + c.field +
                    QStringLiteral("; value multiplied by ") + NumberText::toText(c.factor) +
                    QStringLiteral("; digits:") +
                    (c.digits < 0 ? QString() : QString::number(c.digits)) + crlf;
    }
    if (!notWritten.isEmpty())
        text += QStringLiteral("Following columns are not written in database:") + crlf +
                notWritten.join(crlf) + crlf;
    return text + crlf + QStringLiteral("Write to DB?");
}

int DatabaseAppend::write(const Sheet& sheet, const Target& target, QStringList& report) {
    QStringList key = PrimaryKey::of(database_, target.table);
    if (key.isEmpty())
        key = catalogue_.keyFields(target.table).mid(0, 1);
    std::vector<int> keyColumns;
    for (const QString& k : key)
        for (const Column& c : target.columns)
            if (c.field.compare(k, Qt::CaseInsensitive) == 0)
                keyColumns.push_back(c.column);
    if (key.isEmpty() || keyColumns.size() != size_t(key.size())) {
        report << QStringLiteral("No rows written in table ") + target.table +
                      QStringLiteral(" due to missing key field.");
        return 0;
    }
    // Each cell as its field takes it: "007" stays a text in a text field; numbers for
    // numeric fields are scaled and rounded as asked.
    const FieldValues fieldValues(database_, target.table);
    const auto value = [&](int row, int column, const QString& field) {
        return fieldValues.of(field, sheet.text(row, column));
    };
    const auto scaled = [&](int row, const Column& c) {
        const CellValue v = value(row, c.column, c.field);
        if (!fieldValues.isNumeric(c.field) || v.kind() != CellValue::Kind::Number)
            return v;
        const double n = *v.toNumber() * c.factor;
        return CellValue::number(c.digits < 0 ? n : DecimalRounding::round(n, c.digits));
    };
    QStringList sets, names, marks, where;
    for (const Column& c : target.columns) {
        names << JetSqlQuoting::name(c.field);
        marks << QStringLiteral("?");
        if (std::find(keyColumns.begin(), keyColumns.end(), c.column) == keyColumns.end())
            sets << JetSqlQuoting::name(c.field) + QStringLiteral(" = ?");
    }
    for (const QString& k : key)
        where << JetSqlQuoting::name(k) + QStringLiteral(" = ?");
    const QString table = JetSqlQuoting::name(target.table);
    const QString whereText = QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    int written = 0;
    for (int r = 2; r <= sheet.lastRow(); ++r) {
        std::vector<CellValue> keys;
        for (size_t k = 0; k < keyColumns.size(); ++k)
            keys.push_back(value(r, keyColumns[k], key[qsizetype(k)]));
        if (std::any_of(keys.begin(), keys.end(), [](const CellValue& v) { return v.isMissing(); }))
            continue;
        std::optional<qint64> matched;
        if (sets.isEmpty()) {
            const auto found =
                database_.query(QStringLiteral("SELECT COUNT(*) FROM ") + table + whereText, keys);
            if (found)
                matched = qint64(found->at(0, 0).toNumber().value_or(0));
        } else {
            std::vector<CellValue> values;
            for (const Column& c : target.columns)
                if (std::find(keyColumns.begin(), keyColumns.end(), c.column) == keyColumns.end())
                    values.push_back(scaled(r, c));
            values.insert(values.end(), keys.begin(), keys.end());
            matched =
                database_.execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
                                      sets.join(QStringLiteral(", ")) + whereText,
                                  values);
        }
        if (!matched)
            return -1;
        if (*matched == 0) {
            std::vector<CellValue> values;
            for (const Column& c : target.columns)
                values.push_back(scaled(r, c));
            if (!database_.execute(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                                       names.join(QStringLiteral(", ")) +
                                       QStringLiteral(") VALUES (") +
                                       marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
                                   values))
                return -1;
        }
        ++written;
    }
    report << QStringLiteral("A total of ") + QString::number(written) +
                  QStringLiteral(" rows was written in table ") + target.table;
    return written;
}

int DatabaseAppend::run(const QString& clipboardText, const QString& userName,
                        const QString& logPath) {
    Sheet sheet; // as texts: each cell is typed by the field it goes into
    if (!sheet.fromTsv(clipboardText, 1, 1, true) || sheet.isBlank() || sheet.lastRow() < 2)
        return -1;
    std::vector<Target> targets;
    QStringList notWritten;
    if (!plan(sheet, targets, notWritten) || targets.empty() || !askScaling(sheet, targets))
        return -1;
    if (dialogs_.question(planText(targets, notWritten), QuestionButtons::YesNo) != Answer::Yes)
        return -1;
    QStringList notes;
    for (const Target& t : targets)
        notes << dialogs_
                     .input(Dialogs::title(),
                            QStringLiteral("Give note text to be added in table ") + t.table,
                            QString())
                     .value_or(QString());

    status_.showStatus(QStringLiteral("Writing in database"), 1);
    TransactionScope transaction(database_);
    if (!transaction.began()) {
        status_.showStatus(QString(), 0);
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Nothing was written: ") + database_.lastError());
        return -1;
    }
    QStringList report;
    int total = 0;
    for (const Target& t : targets) {
        const int n = write(sheet, t, report);
        if (n < 0) {
            status_.showStatus(QString(), 0);
            dialogs_.message(MessageKind::Critical,
                             QStringLiteral("Nothing was written: ") + database_.lastError());
            return -1;
        }
        total += n;
    }
    if (!transaction.commit()) {
        status_.showStatus(QString(), 0);
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Nothing was written: ") + database_.lastError());
        return -1;
    }
    status_.showStatus(QString(), 0);
    dialogs_.message(MessageKind::Information, report.join(crlf));

    if (!logPath.isEmpty()) {
        QFile log(logPath);
        if (log.open(QIODevice::Append | QIODevice::Text)) {
            QStringList lines{QStringLiteral("<<<<< DATA ADDED ON ") +
                              QDateTime::currentDateTime().toString(Qt::ISODate) +
                              QStringLiteral(" BY ") + userName + QStringLiteral(">>>>>>")};
            for (size_t i = 0; i < targets.size(); ++i) {
                QStringList fields;
                for (const Column& c : targets[i].columns)
                    fields << c.field;
                lines << QStringLiteral("Table: ") + targets[i].table +
                             QStringLiteral("; fields: ") + fields.join(QStringLiteral(", "));
                if (!notes[qsizetype(i)].isEmpty())
                    lines << QStringLiteral("Note: ") + notes[qsizetype(i)];
            }
            lines << report << QStringLiteral("<<<<<< END OF DATA WRITING >>>>>>");
            log.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        }
    }
    return total;
}
