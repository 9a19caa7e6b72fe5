#include "query/ui/QueryTableChooserDialog.h"

#include "app/ui/DialogPlace.h"
#include "query/QueryTableChooser.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

QueryTableChooserDialog::QueryTableChooserDialog(QueryTableChooser& chooser,
                                                 const WindowGeometry* geometry, QWidget* parent)
    : QDialog(parent)
    , chooser_(chooser)
    , geometry_(geometry)
    , tables_(new QListWidget) {
    setWindowTitle(QueryTableChooser::caption());
    tables_->setObjectName(QStringLiteral("lstTa"));
    tables_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tables_->addItems(chooser.tables());
    tables_->setToolTip(QStringLiteral("The first table picked is joined with the others"));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &QueryTableChooserDialog::pick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(tables_, &QListWidget::itemDoubleClicked, this, &QueryTableChooserDialog::pick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tables_, 1);
    layout->addLayout(buttons);
    DialogPlace::restore(*this, geometry_, QueryTableChooser::shortName());
}

void QueryTableChooserDialog::pick() {
    QStringList picked;
    // In list order, so the first picked is the first listed, not the first clicked.
    for (int r = 0; r < tables_->count(); ++r)
        if (tables_->item(r)->isSelected())
            picked << tables_->item(r)->text();
    if (chooser_.accept(picked))
        accept();
}

void QueryTableChooserDialog::done(int result) {
    DialogPlace::save(*this, geometry_, QueryTableChooser::shortName());
    QDialog::done(result);
}
