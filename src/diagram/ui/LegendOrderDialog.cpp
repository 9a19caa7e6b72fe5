#include "diagram/ui/LegendOrderDialog.h"

#include "app/ui/DialogPlace.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

LegendOrderDialog::LegendOrderDialog(const QStringList& names, const WindowGeometry* geometry,
                                     QWidget* parent)
    : QDialog(parent)
    , list_(new QListWidget(this))
    , geometry_(geometry) {
    setWindowTitle(QStringLiteral("Order of Items in the Legend"));
    list_->addItems(names);
    list_->setCurrentRow(0);
    auto* layout = new QGridLayout(this);
    layout->addWidget(list_, 0, 0, 5, 1);
    const auto button = [&](const QString& caption, int row, auto&& clicked) {
        auto* b = new QPushButton(caption, this);
        connect(b, &QPushButton::clicked, this, clicked);
        layout->addWidget(b, row, 1);
        return b;
    };
    button(QStringLiteral("Up"), 0, [this] { moveSelected(-1); });
    button(QStringLiteral("Down"), 1, [this] { moveSelected(1); });
    button(QStringLiteral("&Remove"), 2, [this] { delete list_->currentItem(); });
    button(QStringLiteral("&OK"), 3, [this] { accept(); })->setDefault(true);
    button(QStringLiteral("&Close"), 4, [this] { reject(); });
    DialogPlace::restore(*this, geometry_, shortName());
}

QStringList LegendOrderDialog::order() const {
    QStringList names;
    for (int i = 0; i < list_->count(); ++i)
        names << list_->item(i)->text();
    return names;
}

void LegendOrderDialog::done(int result) {
    DialogPlace::save(*this, geometry_, shortName());
    QDialog::done(result);
}

void LegendOrderDialog::moveSelected(int step) {
    const int from = list_->currentRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= list_->count())
        return;
    list_->insertItem(to, list_->takeItem(from));
    list_->setCurrentRow(to);
}
