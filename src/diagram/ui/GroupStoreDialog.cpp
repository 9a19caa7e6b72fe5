#include "diagram/ui/GroupStoreDialog.h"

#include "db/SessionDatabase.h"
#include "diagram/DiagramWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

GroupStoreDialog::GroupStoreDialog(DiagramObjectController& objects, SessionDatabase& session,
                                   DiagramObjectController::Stored what, const QString& title,
                                   QWidget* parent)
    : QDialog(parent)
    , objects_(objects)
    , session_(session)
    , what_(what) {
    setObjectName(QStringLiteral("groupStore"));
    setWindowTitle(title);
    auto* form = new QFormLayout(this);
    table_ = new QComboBox(this);
    table_->addItems(session.catalogue().tableNames());
    table_->addItem(DiagramWindow::clipDataTable());
    table_->setToolTip(QStringLiteral("Write to ClipData: choose ClipData"));
    field_ = new QComboBox(this);
    newField_ = new QLineEdit(this);
    clearFirst_ = new QCheckBox(
        QStringLiteral("Delete values, which already exist in selected field in the database"),
        this);
    form->addRow(QStringLiteral("Table"), table_);
    form->addRow(QStringLiteral("Field"), field_);
    form->addRow(QStringLiteral("New field"), newField_);
    form->addRow(clearFirst_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Store"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(table_, &QComboBox::currentTextChanged, this, [this] { fillFields(); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (store())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fillFields();
}

void GroupStoreDialog::fillFields() {
    field_->clear();
    field_->addItem(DiagramObjectController::createNewColumn());
    if (table_->currentText() != DiagramWindow::clipDataTable())
        field_->addItems(session_.catalogue().fieldNames(table_->currentText()));
}

bool GroupStoreDialog::store() {
    const bool written =
        objects_.store(table_->currentText(), field_->currentText(), newField_->text(),
                       clearFirst_->isChecked(), what_, nullptr);
    if (written)
        fillFields(); // a new column is now one of the table's fields
    return written;
}
