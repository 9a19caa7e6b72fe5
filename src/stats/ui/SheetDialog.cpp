#include "stats/ui/SheetDialog.h"

#include "platform/qt/SheetTableModel.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

SheetDialog::SheetDialog(const QString& title, Sheet sheet, QWidget* parent)
    : QDialog(parent)
    , sheet_(std::move(sheet))
    , view_(new QTableView) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    auto* model = new SheetTableModel(&sheet_, view_);
    view_->setModel(model);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = sheet_.lastRow(); r < model->rowCount(); ++r)
        view_->setRowHidden(r, true);
    for (int c = sheet_.lastColumn(); c < model->columnCount(); ++c)
        view_->setColumnHidden(c, true);
    auto* copy = new QPushButton(QStringLiteral("&Copy"));
    connect(copy, &QPushButton::clicked, this, [this] { SheetTableModel::copySelection(*view_); });
    auto* copyAll = new QPushButton(QStringLiteral("Copy &All"));
    connect(copyAll, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(sheet_.toTsv()); });
    auto* close = new QPushButton(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {copy, copyAll, close})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
}
