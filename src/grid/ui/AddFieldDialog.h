#pragma once
// The "Add Field" panel: field name, type option (TEXT with its length), "Indexed", "Unique "
// and "Primary field".
#include "grid/GridSchemaCommands.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

class AddFieldDialog : public QDialog {
    Q_OBJECT
public:
    explicit AddFieldDialog(const QString& fieldName, QWidget* parent = nullptr);
    AddFieldRequest request() const;

private:
    QLineEdit* name_;
    QComboBox* type_;
    QSpinBox* length_;
    QCheckBox* indexed_;
    QCheckBox* unique_;
    QCheckBox* primary_;
};
