#pragma once
// The window "Store group names into database": a table (or "ClipData", "Write to ClipData"),
// a field of it or "<<Create New Column>>" with the new field's name, "Delete values, which
// already exist in selected field in the database", and whether the groups or the deltas are
// written. "Store" hands them to the object controller, which asks and reports.
#include <QDialog>

class DiagramObjectController;
class SessionDatabase;
class QCheckBox;
class QComboBox;
class QLineEdit;

class GroupStoreDialog : public QDialog {
    Q_OBJECT
public:
    GroupStoreDialog(DiagramObjectController& objects, SessionDatabase& session, bool deltas,
                     QWidget* parent);
    // What "Store" does; true when written.
    bool store();

private:
    void fillFields();

    DiagramObjectController& objects_;
    SessionDatabase& session_;
    bool deltas_;
    QComboBox* table_;
    QComboBox* field_;
    QLineEdit* newField_;
    QCheckBox* clearFirst_;
};
