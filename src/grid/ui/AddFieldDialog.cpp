#include "grid/ui/AddFieldDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

AddFieldDialog::AddFieldDialog(const QString& fieldName, QWidget* parent)
    : QDialog(parent)
    , name_(new QLineEdit(fieldName))
    , type_(new QComboBox)
    , length_(new QSpinBox)
    , indexed_(new QCheckBox(QStringLiteral("Indexed")))
    , unique_(new QCheckBox(QStringLiteral("Unique ")))
    , primary_(new QCheckBox(QStringLiteral("Primary field"))) {
    setWindowTitle(QStringLiteral("Add Field"));
    type_->addItems({QStringLiteral("TEXT"), QStringLiteral("INTEGER"), QStringLiteral("LONG"),
                     QStringLiteral("DOUBLE"), QStringLiteral("SINGLE"), QStringLiteral("MEMO"),
                     QStringLiteral("DATE/TIME"), QStringLiteral("BYTE"),
                     QStringLiteral("CURRENCY")});
    length_->setRange(1, 255);
    length_->setValue(50);
    connect(type_, &QComboBox::currentTextChanged, this,
            [this](const QString& t) { length_->setEnabled(t == QStringLiteral("TEXT")); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Field name:"), name_);
    form->addRow(QStringLiteral("Field type"), type_);
    form->addRow(QStringLiteral("Length"), length_);
    form->addRow(indexed_);
    form->addRow(unique_);
    form->addRow(primary_);
    form->addRow(buttons);
}

AddFieldRequest AddFieldDialog::request() const {
    return {name_->text(),         type_->currentText(), length_->value(),
            indexed_->isChecked(), unique_->isChecked(), primary_->isChecked()};
}
