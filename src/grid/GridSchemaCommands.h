#pragma once
// The grid's schema menu: "Make Table...", "Add Field...", "Delete Field..." and
// "Delete Table..." with their prompts, over the session database's schema editor.
#include <QString>

class Dialogs;
class SessionDatabase;

struct AddFieldRequest {
    QString name;
    QString type = QStringLiteral("TEXT"); // the caption of the chosen type option
    int length = 50;                       // for TEXT
    bool indexed = false;
    bool unique = false;
    bool primary = false;
};

class GridSchemaCommands {
public:
    GridSchemaCommands(SessionDatabase& session, Dialogs& dialogs);

    // Asks for the name and creates the table; true when the person then wants to add a field
    // to it (the add-field panel opens with "SampleNo").
    bool makeTable(QString* created = nullptr);
    bool addField(const QString& table, const AddFieldRequest& request);
    bool deleteField(const QString& table, const QString& field);
    // True when the table is gone and its grid should close.
    bool deleteTable(const QString& table);

private:
    bool editorReady();
    void showFailure(const QString& what, const QString& reason);

    SessionDatabase& session_;
    Dialogs& dialogs_;
};
