#pragma once
// The window "Store group names into database" (from the header editor's labels "Store " +
// kind + " values to:"): a table (or "ClipData", "Write to ClipData"), a field of it or
// "<<Create New Column>>" with the new field's name, "Delete values, which already exist in
// selected field in the database", and which values are written (groups, deltas or distances).
// "Store" hands them to the object controller, which asks and reports.
#include "diagram/DiagramObjectController.h"

#include <QDialog>

class SessionDatabase;
class QCheckBox;
class QComboBox;
class QLineEdit;

class GroupStoreDialog : public QDialog {
    Q_OBJECT
public:
    GroupStoreDialog(DiagramObjectController& objects, SessionDatabase& session,
                     DiagramObjectController::Stored what, const QString& title, QWidget* parent);
    static QString groupsTitle() { return QStringLiteral("Store group names into database"); }
    static QString valuesTitle(DiagramObjectController::Stored what) {
        return QStringLiteral("Store ") + DiagramObjectController::storedName(what) +
               QStringLiteral(" values to:");
    }
    // What "Store" does; true when written.
    bool store();

private:
    void fillFields();

    DiagramObjectController& objects_;
    SessionDatabase& session_;
    DiagramObjectController::Stored what_;
    QComboBox* table_;
    QComboBox* field_;
    QLineEdit* newField_;
    QCheckBox* clearFirst_;
};
