#include "export/ui/KmlSettingsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace {
QComboBox* list(const QStringList& items, int current, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(items);
    box->setCurrentIndex(current);
    return box;
}
} // namespace

KmlSettingsDialog::KmlSettingsDialog(KmlSettingsForm& form, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , form_(form)
    , dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Google Earth"));
    const KmlSettingsForm::Choice c = form.current();
    header_ = list(form.columnList(), c.header, this);
    latitude_ = list(form.columnList(), c.latitude, this);
    longitude_ = list(form.columnList(), c.longitude, this);
    description_ = list(form.descriptionList(), c.description, this);
    range_ = new QLineEdit(c.range, this);
    tilt_ = new QLineEdit(c.tilt, this);

    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Header"), header_);
    layout->addRow(QStringLiteral("Latitude"), latitude_);
    layout->addRow(QStringLiteral("Longitude"), longitude_);
    layout->addRow(QStringLiteral("Description"), description_);
    layout->addRow(QStringLiteral("Range"), range_);
    layout->addRow(QStringLiteral("Tilt"), tilt_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &KmlSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

void KmlSettingsDialog::accept() {
    const KmlSettingsForm::Choice choice{header_->currentIndex(),
                                         latitude_->currentIndex(),
                                         longitude_->currentIndex(),
                                         description_->currentIndex(),
                                         range_->text(),
                                         tilt_->text()};
    if (form_.accept(choice, dialogs_))
        QDialog::accept();
}
