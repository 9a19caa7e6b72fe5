#include "db/SchemaEditor.h"

#include "db/SchemaCatalogue.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/TransactionScope.h"

namespace {
const QString crlf = QStringLiteral("\r\n");
const QString filterPrefix = QStringLiteral("f_");

QString bracketed(const QString& name) {
    return JetSqlQuoting::name(name);
}
} // namespace

SchemaEditor::SchemaEditor(Connection& database, SchemaCatalogue& catalogue, Dialogs& dialogs)
    : database_(database)
    , catalogue_(catalogue)
    , dialogs_(dialogs) {}

QString SchemaEditor::withoutBrackets(const QString& name) {
    QString n = name;
    if (n.startsWith(QLatin1Char('[')))
        n.remove(0, 1);
    if (n.endsWith(QLatin1Char(']')))
        n.chop(1);
    return n;
}

QString SchemaEditor::sqlType(const QString& type) {
    bool numeric = false;
    const int code = type.trimmed().toInt(&numeric);
    if (!numeric)
        return type;
    switch (code) {
    case 4:
        return QStringLiteral("SINGLE");
    case 17:
        return QStringLiteral("BOOLEAN");
    case 5:
        return QStringLiteral("DOUBLE");
    case 3:
        return QStringLiteral("LONG");
    case 130:
        return QStringLiteral("TEXT (50)");
    case 202:
        return QStringLiteral("TEXT (250)");
    case 203:
        return QStringLiteral("MEMO");
    case 7:
        return QStringLiteral("DATE");
    default:
        return QStringLiteral("TEXT (255)");
    }
}

QString SchemaEditor::indexName(const QString& table, const QString& field) {
    return QStringLiteral("ix_") + table + QLatin1Char('_') + field;
}

bool SchemaEditor::confirmed(const QString& question) {
    lastError_.clear();
    return dialogs_.question(question, QuestionButtons::YesNoCancel) == Answer::Yes;
}

bool SchemaEditor::run(const QStringList& statements) {
    lastError_.clear();
    TransactionScope transaction(database_);
    if (!transaction.began()) {
        // Without a transaction a failure half-way would leave half a change behind.
        lastError_ = QStringLiteral("The change cannot begin: ") + database_.lastError();
        return false;
    }
    for (const QString& statement : statements)
        if (!database_.execute(statement)) {
            lastError_ = database_.lastError();
            return false;
        }
    if (!transaction.commit()) {
        lastError_ = database_.lastError();
        return false;
    }
    return true;
}

bool SchemaEditor::CreateTable(const QString& name) {
    const QString table = withoutBrackets(name);
    if (!run({QStringLiteral("CREATE TABLE ") + bracketed(table)}))
        return false;
    dialogs_.message(MessageKind::Exclamation, QStringLiteral("Table ") + table +
                                                   QStringLiteral(" created. Define at least "
                                                                  "one field."));
    catalogue_.addTable(table);
    return true;
}

bool SchemaEditor::AddField(const QString& tableName, const QString& field, const QString& type,
                            const FieldOptions& options) {
    const QString table = withoutBrackets(tableName);
    const QString addColumn = QStringLiteral("ALTER TABLE ") + bracketed(table) +
                              QStringLiteral(" ADD COLUMN ") + bracketed(field) + QLatin1Char(' ') +
                              sqlType(type);
    QString index;
    if (options.index) {
        index = (options.unique ? QStringLiteral("CREATE UNIQUE INDEX ")
                                : QStringLiteral("CREATE INDEX ")) +
                bracketed(indexName(table, field)) + QStringLiteral(" ON ") + bracketed(table) +
                QStringLiteral(" (") + bracketed(field) + QLatin1Char(')');
        if (options.unique && options.primary)
            index += QStringLiteral(" WITH PRIMARY");
    }
    if (options.confirm && !confirmed(QStringLiteral("You are creating field [") + field +
                                      QStringLiteral("] in table [") + table +
                                      QStringLiteral("] using command ") + crlf + crlf + addColumn +
                                      crlf + index + crlf + crlf + QStringLiteral("Are you sure?")))
        return false;
    QStringList statements{addColumn};
    if (!index.isEmpty())
        statements << index;
    if (!run(statements))
        return false;
    if (options.updateCatalogue)
        catalogue_.addField(table, field);
    return true;
}

bool SchemaEditor::AddSingleField(const QString& table, const QString& field) {
    return AddField(table, field, QStringLiteral("SINGLE"), {});
}

bool SchemaEditor::AddTextField(const QString& table, const QString& field, int length) {
    return AddField(table, field,
                    QStringLiteral("STRING(") + QString::number(length == 0 ? 25 : length) +
                        QLatin1Char(')'),
                    {});
}

bool SchemaEditor::DeleteField(const QString& fieldName, const QString& tableName) {
    const QString table = withoutBrackets(tableName);
    const QString field = withoutBrackets(fieldName);
    if (!confirmed(QStringLiteral("Are you sure to delete field [") + field +
                   QStringLiteral("] in table [") + table + QStringLiteral("] ?")))
        return false;
    if (!run({QStringLiteral("ALTER TABLE ") + bracketed(table) + QStringLiteral(" DROP COLUMN ") +
              bracketed(field)}))
        return false;
    catalogue_.removeField(table, field);
    return true;
}

QStringList SchemaEditor::dependentFilters(const QString& table) const {
    QStringList dependent;
    for (const QString& filter : catalogue_.filters) {
        const QString view = filterPrefix + filter;
        const auto origins = database_.columnOrigins(view);
        if (!origins)
            continue;
        for (const ColumnOrigin& o : *origins)
            if (o.baseTable.compare(table, Qt::CaseInsensitive) == 0) {
                dependent << view;
                break;
            }
    }
    return dependent;
}

bool SchemaEditor::DeleteTableOrView(const QString& name, bool isView) {
    const QString object = withoutBrackets(name);
    const QStringList filters = isView ? QStringList() : dependentFilters(object);
    QString question = (isView ? QStringLiteral("Are you sure to delete view [")
                               : QStringLiteral("Are you sure to delete table [")) +
                       object + QStringLiteral("] ?");
    if (!filters.isEmpty())
        question += crlf + crlf +
                    QStringLiteral("These filters are based on it and are deleted "
                                   "with it:") +
                    crlf + QLatin1Char('\t') + filters.join(crlf + QLatin1Char('\t'));
    if (!confirmed(question))
        return false;
    QStringList statements;
    for (const QString& f : filters)
        statements << QStringLiteral("DROP VIEW ") + bracketed(f);
    statements << (isView ? QStringLiteral("DROP VIEW ") : QStringLiteral("DROP TABLE ")) +
                      bracketed(object);
    if (!run(statements))
        return false;
    QStringList gone = filters;
    gone << object;
    for (const QString& g : gone)
        if (g.startsWith(filterPrefix))
            catalogue_.filters.removeAll(g.mid(filterPrefix.size()));
    catalogue_.removeTable(object);
    return true;
}
