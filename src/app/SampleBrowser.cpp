#include "app/SampleBrowser.h"

#include "db/FieldTypes.h"
#include "db/PrimaryKey.h"
#include "db/SessionDatabase.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/NumberText.h"
#include "platform/RowSet.h"
#include "platform/Status.h"
#include "platform/TransactionScope.h"

namespace {
const QString crlf = QStringLiteral("\r\n");

QString severalText(qsizetype count, const QString& statement) {
    return QStringLiteral("Several (n=") + QString::number(count) +
           QStringLiteral(") records fullfill the criteria ") + crlf + statement + crlf;
}

bool isDuplicateKeyError(const QString& error) {
    return error.contains(QLatin1String("UNIQUE constraint"), Qt::CaseInsensitive) ||
           error.contains(QLatin1String("PRIMARY KEY constraint"), Qt::CaseInsensitive) ||
           error.contains(QLatin1String("duplicate key"), Qt::CaseInsensitive);
}

// The edited text as a value of the kind the record's field held, so a number stays a number
// and a date a date; Null when the cell was cleared.
CellValue edited(const QString& text, const CellValue& original) {
    if (text.isEmpty())
        return CellValue::null();
    switch (original.kind()) {
    case CellValue::Kind::Number:
        if (const auto n = NumberText::fromText(QStringView(text).trimmed()))
            return CellValue::number(*n);
        break;
    case CellValue::Kind::Boolean:
        if (const auto b = CellValue::text(text).toBoolean())
            return CellValue::boolean(*b);
        break;
    case CellValue::Kind::Date:
        if (const auto d = CellValue::text(text).toDate())
            return CellValue::date(*d);
        break;
    default:
        break;
    }
    return CellValue::text(text);
}

} // namespace

SampleBrowser::SampleBrowser(SessionDatabase& session, Dialogs& dialogs, Status& status)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status) {}

int SampleBrowser::find() {
    const auto text =
        dialogs_.input(QStringLiteral("Find"), QStringLiteral("Find in the record"), QString());
    if (!text || text->isEmpty())
        return 0;
    const int row = found_.find(record, *text);
    if (!row)
        dialogs_.message(MessageKind::Information, *text + QStringLiteral(" not found"));
    return row;
}

Connection* SampleBrowser::checkedConnection() const {
    Connection* db = session_.connection();
    if (!db || !session_.isOpen() || session_.catalogue().tableRow(table) == 0 ||
        !session_.catalogue().fieldNames(table).contains(field))
        return nullptr;
    return db;
}

bool SampleBrowser::isTextField() const {
    Connection* db = session_.connection();
    if (!db)
        return true;
    const auto type = FieldTypes::GetFieldType(*db, table, field);
    return !type || type->name == QStringLiteral("TEXT") || type->name.isEmpty();
}

QString SampleBrowser::valueLiteral() const {
    const QString trimmed = value.trimmed();
    if (!isTextField() && NumberText::fromText(QStringView(trimmed)))
        return trimmed;
    QString text = value;
    if (text.startsWith(QLatin1Char('"')))
        text.remove(0, 1);
    if (text.endsWith(QLatin1Char('"')))
        text.chop(1);
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString SampleBrowser::retrieveStatement() const {
    const QString t = JetSqlQuoting::name(table);
    return QStringLiteral("SELECT * FROM ") + t + QStringLiteral(" WHERE ((") + t +
           QLatin1Char('.') + JetSqlQuoting::name(field) + QStringLiteral(" LIKE ") +
           valueLiteral() + QStringLiteral("));");
}

QString SampleBrowser::criteriaStatement() const {
    return QStringLiteral("SELECT * FROM ") + JetSqlQuoting::name(table) +
           QStringLiteral(" WHERE ") + JetSqlQuoting::name(field) + QStringLiteral(" LIKE ") +
           valueLiteral();
}

void SampleBrowser::showError(const QString& what, const Connection& db) {
    dialogs_.message(MessageKind::Exclamation, what + crlf + db.lastError());
}

bool SampleBrowser::MainNayteTieto() {
    Connection* db = checkedConnection();
    if (!db)
        return false;
    const QString statement = retrieveStatement();
    const std::optional<RowSet> rows = db->query(statement);
    if (!rows) {
        showError(QStringLiteral("The record cannot be retrieved: ") + statement, *db);
        return false;
    }
    record.clear();
    if (rows->isEmpty()) {
        record.setText(1, 1, QStringLiteral("No data"));
        panelText_.clear();
        return false;
    }
    for (int c = 0; c < rows->columnCount(); ++c) {
        record.setText(c + 1, 1, rows->columnNames()[c]);
        record.setText(c + 1, 2, rows->at(0, c).toText());
    }
    panelText_ = QString::number(rows->columnCount()) + QStringLiteral(" fields");
    return true;
}

std::optional<RowSet> SampleBrowser::matching(Connection& db) {
    std::optional<RowSet> rows = db.query(criteriaStatement());
    if (!rows)
        showError(QStringLiteral("The records cannot be read: ") + criteriaStatement(), db);
    return rows;
}

bool SampleBrowser::updateDatabase() {
    Connection* db = checkedConnection();
    if (!db)
        return false;
    const std::optional<RowSet> rows = matching(*db);
    if (!rows || rows->isEmpty())
        return false;
    if (rows->rowCount() > 1) {
        const Answer a =
            dialogs_.question(severalText(rows->rowCount(), criteriaStatement()) +
                                  QStringLiteral("Cancel updating (No=updating the first of them?"),
                              QuestionButtons::YesNoCancel);
        if (a != Answer::No)
            return false;
    }
    return updateFirst(*db, *rows);
}

bool SampleBrowser::updateFirst(Connection& db, const RowSet& rows) {
    QStringList assignments;
    std::vector<CellValue> values;
    for (int r = 1; !record.text(r, 1).isEmpty(); ++r) {
        const QString name = record.text(r, 1);
        const int column = rows.columnIndex(name);
        if (column < 0 || name.compare(field, Qt::CaseInsensitive) == 0)
            continue;
        const CellValue original = rows.at(0, column);
        const CellValue now = edited(record.text(r, 2), original);
        if (now == original || (now.isNull() && original.isMissing()))
            continue;
        assignments << JetSqlQuoting::name(rows.columnNames()[column]) + QStringLiteral(" = ?");
        values.push_back(now);
    }

    // The first record alone: by its primary key, or by all its values when it has none.
    QStringList conditions;
    QStringList identifying = PrimaryKey::of(db, table);
    if (identifying.isEmpty())
        identifying = rows.columnNames();
    for (const QString& name : identifying) {
        const CellValue v = rows.value(0, name);
        if (v.isMissing()) {
            conditions << JetSqlQuoting::name(name) + QStringLiteral(" IS NULL");
        } else {
            conditions << JetSqlQuoting::name(name) + QStringLiteral(" = ?");
            values.push_back(v);
        }
    }

    const QString done = QStringLiteral("Record ") + field + QLatin1Char('=') + value +
                         QStringLiteral(" in table ") + table + QStringLiteral(" updated.");
    if (assignments.isEmpty()) {
        status_.showStatus(done, 1);
        return true;
    }
    const QString update = QStringLiteral("UPDATE ") + JetSqlQuoting::name(table) +
                           QStringLiteral(" SET ") + assignments.join(QStringLiteral(", ")) +
                           QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    TransactionScope transaction(db);
    if (!db.execute(update, values) || !transaction.commit()) {
        if (isDuplicateKeyError(db.lastError()))
            dialogs_.message(MessageKind::Exclamation,
                             QStringLiteral(" Duplicate index error ! (SampleNo) Change the data "
                                            "in the SampleNo -field or clear previous delta "
                                            "values from database."));
        else
            showError(QStringLiteral("The record cannot be updated: ") + update, db);
        return false;
    }
    status_.showStatus(done, 1);
    return true;
}

bool SampleBrowser::deleteRecord() {
    Connection* db = checkedConnection();
    if (!db)
        return false;
    const std::optional<RowSet> rows = matching(*db);
    if (!rows)
        return false;
    const QString statement = criteriaStatement();
    const QString question =
        rows->rowCount() >= 2
            ? severalText(rows->rowCount(), statement) +
                  QStringLiteral("Are you sure to delete all of them?")
            : QStringLiteral("Are you sure to delete record fulfilling the criteria: ") + crlf +
                  statement;
    if (dialogs_.question(question, QuestionButtons::YesNoCancel) != Answer::Yes || rows->isEmpty())
        return false;
    const QString deletion = QStringLiteral("DELETE FROM ") + JetSqlQuoting::name(table) +
                             QStringLiteral(" WHERE ") + JetSqlQuoting::name(field) +
                             QStringLiteral(" LIKE ") + valueLiteral();
    TransactionScope transaction(*db);
    if (!db->execute(deletion) || !transaction.commit()) {
        showError(QStringLiteral("The records cannot be deleted: ") + deletion, *db);
        return false;
    }
    return true;
}
