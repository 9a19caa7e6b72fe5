#pragma once
// The settings box of the KML export ("Google Earth"): column lists for the name, latitude,
// longitude and description of each placemark, and the view's range and tilt. OK goes through
// KmlSettingsForm, which keeps the box open while a required column is missing.
#include "export/KmlSettingsForm.h"

#include <QDialog>

class Dialogs;
class QComboBox;
class QLineEdit;

class KmlSettingsDialog : public QDialog {
    Q_OBJECT
public:
    KmlSettingsDialog(KmlSettingsForm& form, Dialogs& dialogs, QWidget* parent = nullptr);

    void accept() override;

private:
    KmlSettingsForm& form_;
    Dialogs& dialogs_;
    QComboBox* header_;
    QComboBox* latitude_;
    QComboBox* longitude_;
    QComboBox* description_;
    QLineEdit* range_;
    QLineEdit* tilt_;
};
