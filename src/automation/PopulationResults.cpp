#include "automation/PopulationResults.h"

#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/TableDescription.h"

#include <algorithm>

namespace {
QString q(const QString& name) {
    return JetSqlQuoting::name(name);
}
} // namespace

void PopulationResults::start(Connection* database, const QString& databaseName,
                              const QString& table) {
    database_ = database;
    databaseName_ = databaseName;
    table_ = table;
    answer_.reset();
    columns_.reset();
}

bool PopulationResults::mayWrite() {
    if (!database_) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Result database not defined!"));
        return false;
    }
    if (!answer_)
        answer_ = dialogs_.question(QStringLiteral("Store in database (") + databaseName_ +
                                        QStringLiteral(") ?"),
                                    QuestionButtons::YesNo) == Answer::Yes;
    return true;
}

bool PopulationResults::hasTable() const {
    const auto tables = database_->tables();
    return tables && std::any_of(tables->begin(), tables->end(), [this](const TableDescription& t) {
               return t.name.compare(table_, Qt::CaseInsensitive) == 0;
           });
}

bool PopulationResults::store(const QString& column, const QString& type, const QString& value,
                              const CellValue& population) {
    if (!mayWrite())
        return false;
    if (!*answer_ || column.trimmed().isEmpty())
        return true;
    Connection& db = *database_;
    const QString table = q(table_);
    if (!columns_) {
        if (!hasTable()) {
            db.execute(QStringLiteral("CREATE TABLE ") + table +
                       QStringLiteral(" ([PopID] TEXT(255))"));
            db.execute(QStringLiteral("CREATE UNIQUE INDEX [PopID] ON ") + table +
                       QStringLiteral(" ([PopID]) WITH PRIMARY"));
        }
        columns_ = db.columnNamesOf(table_).value_or(QStringList());
    }
    const bool text = type.compare(QLatin1String("T"), Qt::CaseInsensitive) == 0;
    if (!columns_->contains(column, Qt::CaseInsensitive) &&
        db.execute(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD COLUMN ") +
                   q(column) + (text ? QStringLiteral(" TEXT(255)") : QStringLiteral(" SINGLE"))))
        columns_->append(column);
    const CellValue id = CellValue::text(population.toText());
    const auto found = db.query(QStringLiteral("SELECT [PopID] FROM ") + table +
                                    QStringLiteral(" WHERE [PopID] = ?"),
                                {id});
    if (found && found->isEmpty())
        db.execute(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" ([PopID]) VALUES (?)"),
                   {id});
    bool numeric = false;
    const double number = value.toDouble(&numeric);
    const CellValue stored = value.isEmpty()    ? CellValue::null()
                             : text || !numeric ? CellValue::text(value)
                                                : CellValue::number(number);
    return db
        .execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + q(column) +
                     QStringLiteral(" = ? WHERE [PopID] = ?"),
                 {stored, id})
        .has_value();
}

bool PopulationResults::remove(const QString& column, const CellValue& population) {
    if (!mayWrite())
        return false;
    if (!*answer_ || (!columns_ && !hasTable()))
        return true;
    const QString table = q(table_);
    const CellValue id = CellValue::text(population.toText());
    if (column.trimmed().isEmpty())
        return database_
            ->execute(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE [PopID] = ?"),
                      {id})
            .has_value();
    return database_
        ->execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
                      q(column.trimmed()) + QStringLiteral(" = ? WHERE [PopID] = ?"),
                  {CellValue::null(), id})
        .has_value();
}
