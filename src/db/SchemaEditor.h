#pragma once
// Changes to the session database's structure: new tables and fields (optionally indexed),
// dropped fields, tables and views. Statements are Jet SQL through the session connection (the
// driver translates them), every change that takes more than one statement runs in one
// transaction, and the catalogue is patched afterwards so pickers follow at once.
#include <QString>
#include <QStringList>

class Connection;
class Dialogs;
class SchemaCatalogue;

class SchemaEditor {
public:
    struct FieldOptions {
        bool index = false;
        bool unique = false;  // only with index
        bool primary = false; // only with index and unique
        bool confirm = false;
        bool updateCatalogue = true;
    };

    SchemaEditor(Connection& database, SchemaCatalogue& catalogue, Dialogs& dialogs);

    // Removes one leading "[" and one trailing "]".
    static QString withoutBrackets(const QString& name);
    // A type text as it is; an ADO type code as decimal text becomes its Jet type.
    static QString sqlType(const QString& type);
    static QString indexName(const QString& table, const QString& field);

    bool CreateTable(const QString& name);
    bool AddField(const QString& table, const QString& field, const QString& type,
                  const FieldOptions& options);
    bool AddSingleField(const QString& table, const QString& field);
    // A length of 0 means 25 characters.
    bool AddTextField(const QString& table, const QString& field, int length);
    bool DeleteField(const QString& field, const QString& table);
    // Asks first; a table's filters are named in the question and dropped with it.
    bool DeleteTableOrView(const QString& name, bool isView);

    // The filter views whose columns come from the table.
    QStringList dependentFilters(const QString& table) const;
    // The database's reason when the last operation failed; empty after a declined question.
    const QString& lastError() const { return lastError_; }

private:
    bool confirmed(const QString& question);
    bool run(const QStringList& statements);

    Connection& database_;
    SchemaCatalogue& catalogue_;
    Dialogs& dialogs_;
    QString lastError_;
};
