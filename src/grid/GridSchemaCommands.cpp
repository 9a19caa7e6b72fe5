#include "grid/GridSchemaCommands.h"

#include "db/SchemaEditor.h"
#include "db/SessionDatabase.h"
#include "platform/Dialogs.h"

GridSchemaCommands::GridSchemaCommands(SessionDatabase& session, Dialogs& dialogs)
    : session_(session)
    , dialogs_(dialogs) {}

bool GridSchemaCommands::editorReady() {
    if (session_.connection() && session_.isOpen())
        return true;
    dialogs_.message(MessageKind::Information, QStringLiteral("No database open"));
    return false;
}

void GridSchemaCommands::showFailure(const QString& what, const QString& reason) {
    if (!reason.isEmpty())
        dialogs_.message(MessageKind::Exclamation, what + QStringLiteral("\r\n") + reason);
}

bool GridSchemaCommands::makeTable(QString* created) {
    if (!editorReady())
        return false;
    const auto name = dialogs_.input(
        Dialogs::title(), QStringLiteral("Create table in current database. Enter tablename below"),
        QStringLiteral("Misce"));
    if (!name || name->trimmed().isEmpty()) {
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("Operation cancelled (due to empty table name)"));
        return false;
    }
    SchemaEditor editor(*session_.connection(), session_.catalogue(), dialogs_);
    if (!editor.CreateTable(name->trimmed())) {
        showFailure(QStringLiteral("Table ") + *name + QStringLiteral(" cannot be created."),
                    editor.lastError());
        return false;
    }
    if (created)
        *created = SchemaEditor::withoutBrackets(name->trimmed());
    return dialogs_.question(QStringLiteral("Add Field?"), QuestionButtons::YesNoCancel) ==
           Answer::Yes;
}

bool GridSchemaCommands::addField(const QString& table, const AddFieldRequest& request) {
    if (request.name.trimmed().isEmpty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("Give name for the field."));
        return false;
    }
    if (!editorReady())
        return false;
    const QString type =
        request.type == QStringLiteral("TEXT")
            ? QStringLiteral("TEXT (") + QString::number(request.length) + QLatin1Char(')')
            : request.type;
    SchemaEditor editor(*session_.connection(), session_.catalogue(), dialogs_);
    if (editor.AddField(table, request.name.trimmed(), type,
                        {request.indexed, request.unique, request.primary, false, true}))
        return true;
    showFailure(QStringLiteral("Field ") + request.name + QStringLiteral(" cannot be added."),
                editor.lastError());
    return false;
}

bool GridSchemaCommands::deleteField(const QString& table, const QString& field) {
    if (!editorReady())
        return false;
    SchemaEditor editor(*session_.connection(), session_.catalogue(), dialogs_);
    if (editor.DeleteField(field, table))
        return true;
    showFailure(QStringLiteral("Field ") + field + QStringLiteral(" cannot be deleted."),
                editor.lastError());
    return false;
}

bool GridSchemaCommands::deleteTable(const QString& table) {
    if (!editorReady() || table.isEmpty())
        return false;
    SchemaEditor editor(*session_.connection(), session_.catalogue(), dialogs_);
    if (!editor.DeleteTableOrView(table, false)) {
        showFailure(QStringLiteral("Table ") + table + QStringLiteral(" cannot be deleted."),
                    editor.lastError());
        return false;
    }
    dialogs_.message(MessageKind::Information,
                     QStringLiteral("Table ") + table + QStringLiteral(" has been deleted!"));
    return true;
}
