#include "grid/GridBulkEdits.h"

#include "db/SchemaCatalogue.h"
#include "grid/DecimalRounding.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/NumberText.h"
#include "platform/Status.h"
#include "platform/TransactionScope.h"

#include <algorithm>
#include <set>

namespace {
const QString crlf = QStringLiteral("\r\n");

bool yes(Dialogs& d, const QString& text) {
    return d.question(text, QuestionButtons::YesNoCancel) == Answer::Yes;
}
} // namespace

GridBulkEdits::GridBulkEdits(GridTarget target, Dialogs& dialogs, Status& status)
    : target_(std::move(target))
    , dialogs_(dialogs)
    , status_(status) {}

bool GridBulkEdits::ready() {
    rows_ = target_.rowsToWrite(dialogs_);
    return rows_.has_value();
}

QString GridBulkEdits::columnName(int column) const {
    return GridTarget::columnName(rows_, column);
}

void GridBulkEdits::showError(const QString& what) {
    target_.showError(dialogs_, what);
}

bool GridBulkEdits::rewrite(int firstColumn, int lastColumn,
                            const std::function<std::optional<CellValue>(const CellValue&)>& change,
                            int* changedRecords) {
    *changedRecords = 0;
    TransactionScope transaction(*target_.database);
    if (!transaction.began()) {
        showError(QStringLiteral(
            "Nothing was changed: the database cannot be written (the transaction cannot begin)."));
        return false;
    }
    for (qsizetype r = 0; r < rows_->rowCount(); ++r) {
        const RowSet::Row& row = rows_->row(r);
        QStringList sets;
        std::vector<CellValue> values;
        for (int c = firstColumn; c <= lastColumn && c < rows_->columnCount(); ++c) {
            if (const auto changed = change(row[size_t(c)])) {
                sets << JetSqlQuoting::name(columnName(c)) + QStringLiteral(" = ?");
                values.push_back(*changed);
            }
        }
        if (sets.isEmpty())
            continue;
        const auto where = target_.keyCondition(*rows_, row);
        if (!where)
            continue;
        values.insert(values.end(), where->second.begin(), where->second.end());
        if (!target_.database->execute(
                QStringLiteral("UPDATE ") + JetSqlQuoting::name(target_.table) +
                    QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) + where->first,
                values)) {
            showError(QStringLiteral("Nothing was changed: record ") + QString::number(r + 1) +
                      QStringLiteral(" cannot be written."));
            return false;
        }
        ++*changedRecords;
        if (r % 1000 == 0)
            status_.showStatus(QString(),
                               int(100 * r / std::max<qsizetype>(rows_->rowCount(), 1)) + 1);
    }
    if (!transaction.commit()) {
        showError(QStringLiteral("Nothing was changed."));
        return false;
    }
    status_.showStatus(QString(), 0);
    return true;
}

bool GridBulkEdits::digits(int firstColumn, int lastColumn) {
    if (!ready() || rows_->isEmpty())
        return false;
    const QString first = columnName(firstColumn), last = columnName(lastColumn);
    if (!yes(dialogs_, QStringLiteral("Are you sure to set number of digits (decimals) in "
                                      "columns ") +
                           first + QStringLiteral(" - ") + last + QStringLiteral("?")))
        return false;
    const auto typed = dialogs_.input(QStringLiteral("Digits"),
                                      QStringLiteral("Number of decimals in columns ") + first +
                                          QStringLiteral(" - ") + last,
                                      QStringLiteral("2"));
    bool ok = false;
    const int decimals = typed ? typed->trimmed().toInt(&ok) : 0;
    if (!ok || decimals < 0 || decimals > 15)
        return false;
    int changed = 0;
    const auto round = [decimals](const CellValue& v) -> std::optional<CellValue> {
        if (v.kind() != CellValue::Kind::Number)
            return std::nullopt;
        const double rounded = DecimalRounding::round(*v.toNumber(), decimals);
        if (rounded == *v.toNumber())
            return std::nullopt;
        return CellValue::number(rounded);
    };
    if (!rewrite(firstColumn, lastColumn, round, &changed))
        return false;
    dialogs_.message(MessageKind::Information, QStringLiteral("Digits changed in ") +
                                                   QString::number(changed) +
                                                   QStringLiteral(" records!"));
    return true;
}

bool GridBulkEdits::trim(int firstColumn, int lastColumn) {
    if (!ready() || rows_->isEmpty())
        return false;
    if (!yes(dialogs_, QStringLiteral("Are you sure to trim (remove leading and ending spaces) "
                                      "in columns ") +
                           columnName(firstColumn) + QStringLiteral(" - ") +
                           columnName(lastColumn) + QStringLiteral("?")))
        return false;
    int changed = 0;
    const auto trimmed = [](const CellValue& v) -> std::optional<CellValue> {
        if (v.kind() != CellValue::Kind::Text)
            return std::nullopt;
        const QString t = v.toText().trimmed();
        if (t == v.toText())
            return std::nullopt;
        return CellValue::text(t);
    };
    if (!rewrite(firstColumn, lastColumn, trimmed, &changed))
        return false;
    dialogs_.message(MessageKind::Information,
                     QString::number(changed) + QStringLiteral(" records trimmed!"));
    return true;
}

bool GridBulkEdits::updateRowNumber(int column) {
    if (!ready() || rows_->isEmpty())
        return false;
    const QString field = columnName(column);
    if (!yes(dialogs_, QStringLiteral("Are you sure to update column ") + field + crlf +
                           QStringLiteral("with incremental number (1,2,3...) ?")))
        return false;
    status_.showStatus(QStringLiteral("Updating column ") + field + QStringLiteral(" ..."), 1);
    qsizetype number = 0;
    int changed = 0;
    // Rows come in the grid's order, so the numbers follow it.
    return rewrite(
        column, column,
        [&number](const CellValue&) -> std::optional<CellValue> {
            return CellValue::number(double(++number));
        },
        &changed);
}

bool GridBulkEdits::deleteRows(const std::vector<int>& rows) {
    if (!ready() || rows.empty())
        return false;
    if (dialogs_.question(QStringLiteral("Are you sure to delete selected records (n=") +
                              QString::number(rows.size()) + QLatin1Char(')'),
                          QuestionButtons::YesNoCancel) != Answer::Yes)
        return false;
    TransactionScope transaction(*target_.database);
    if (!transaction.began()) {
        showError(QStringLiteral(
            "Nothing was deleted: the database cannot be written (the transaction cannot begin)."));
        return false;
    }
    for (int r : rows) {
        if (r < 0 || r >= rows_->rowCount())
            continue;
        const auto where = target_.keyCondition(*rows_, rows_->row(r));
        if (!where ||
            !target_.database->execute(QStringLiteral("DELETE FROM ") +
                                           JetSqlQuoting::name(target_.table) + where->first,
                                       where->second)) {
            showError(QStringLiteral("Nothing was deleted: record ") + QString::number(r + 1) +
                      QStringLiteral(" cannot be deleted."));
            return false;
        }
    }
    if (!transaction.commit()) {
        showError(QStringLiteral("Nothing was deleted."));
        return false;
    }
    return true;
}

bool GridBulkEdits::deleteInAllTables(const QStringList& columns, const std::vector<int>& rows,
                                      const SchemaCatalogue& catalogue) {
    if (!target_.database || columns.isEmpty() || rows.empty())
        return false;
    rows_ = target_.allRows();
    if (!rows_) {
        showError(QStringLiteral("The records cannot be read."));
        return false;
    }
    std::vector<int> columnIndex;
    for (const QString& c : columns) {
        columnIndex.push_back(rows_->columnIndex(c));
        if (columnIndex.back() < 0)
            return false;
    }
    const Answer op = dialogs_.question(
        QStringLiteral("Data is deleted in ALL tables according to columns: ") +
            columns.join(QStringLiteral(", ")) + crlf + QStringLiteral("Do you use AND operator?") +
            crlf + QStringLiteral("-Yes = AND operator") + crlf +
            QStringLiteral("-No = OR operator") + crlf +
            QStringLiteral("-Cancel= Cancel the operation"),
        QuestionButtons::YesNoCancel);
    if (op == Answer::Cancel)
        return false;
    const Answer mode =
        dialogs_.question(QStringLiteral("Are you sure to delete selected records (n=") +
                              QString::number(rows.size()) +
                              QStringLiteral(") (and related data) from ALL database tables?") +
                              crlf + QStringLiteral("-Yes = No prompting for tables") + crlf +
                              QStringLiteral("-No = prompt for each table") + crlf +
                              QStringLiteral("-Cancel = Canceloperation"),
                          QuestionButtons::YesNoCancel);
    if (mode == Answer::Cancel)
        return false;

    // Base tables only: a view or filter shows rows of a table that is visited on its own.
    std::set<QString> views;
    if (const auto tables = target_.database->tables())
        for (const TableDescription& t : *tables)
            if (t.kind != TableDescription::Kind::Table)
                views.insert(t.name);
    const QString joiner = op == Answer::Yes ? QStringLiteral(" AND ") : QStringLiteral(" OR ");
    QStringList report;
    TransactionScope transaction(*target_.database);
    if (!transaction.began()) {
        showError(QStringLiteral("Nothing was deleted: the database cannot be written (the "
                                 "transaction cannot begin)."));
        return false;
    }
    for (const QString& table : catalogue.tableNames()) {
        const QStringList fields = catalogue.fieldNames(table);
        if (views.count(table) ||
            !std::all_of(columns.begin(), columns.end(),
                         [&](const QString& c) { return fields.contains(c, Qt::CaseInsensitive); }))
            continue;
        if (mode == Answer::No &&
            dialogs_.question(QStringLiteral("Deleting in table ") + table + QStringLiteral("?"),
                              QuestionButtons::YesNoCancel) != Answer::Yes)
            continue;
        status_.showStatus(QStringLiteral("Deleting in ") + table + QStringLiteral("..."), 1);
        QStringList conditions;
        for (const QString& c : columns)
            conditions << JetSqlQuoting::name(c) + QStringLiteral(" = ?");
        const QString statement = QStringLiteral("DELETE FROM ") + JetSqlQuoting::name(table) +
                                  QStringLiteral(" WHERE ") + conditions.join(joiner);
        qint64 deleted = 0;
        for (int r : rows) {
            if (r < 0 || r >= rows_->rowCount())
                continue;
            std::vector<CellValue> values;
            for (int c : columnIndex)
                values.push_back(rows_->at(r, c));
            const auto n = target_.database->execute(statement, values);
            if (!n) {
                showError(QStringLiteral("Nothing was deleted: the records of table ") + table +
                          QStringLiteral(" cannot be deleted."));
                return false;
            }
            deleted += *n;
        }
        report << QStringLiteral("Table:") + table + QLatin1Char(' ') + QString::number(deleted) +
                      QStringLiteral(" rows");
    }
    if (!transaction.commit()) {
        showError(QStringLiteral("Nothing was deleted."));
        return false;
    }
    status_.showStatus(QString(), 0);
    dialogs_.message(MessageKind::Information, QStringLiteral("Number of rows deleted:") + crlf +
                                                   QStringLiteral("Succesfull commands:") + crlf +
                                                   report.join(crlf));
    return true;
}
