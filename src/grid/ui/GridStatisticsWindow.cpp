#include "grid/ui/GridStatisticsWindow.h"

#include "platform/qt/SheetTableModel.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

GridStatisticsWindow::GridStatisticsWindow(Sheet table, QWidget* parent)
    : QDialog(parent)
    , sheet_(std::move(table))
    , view_(new QTableView) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* model = new SheetTableModel(&sheet_, this);
    view_->setModel(model);
    // Only the used cells: the sheet's spare area is for typing, not for reading results.
    for (int r = sheet_.lastRow(); r < model->rowCount(); ++r)
        view_->setRowHidden(r, true);
    for (int c = sheet_.lastColumn(); c < model->columnCount(); ++c)
        view_->setColumnHidden(c, true);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->resizeColumnsToContents();

    auto* copy = new QPushButton(QStringLiteral("&Copy"));
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(sheet_.toTsv()); });
    auto* close = new QPushButton(QStringLiteral("&Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    resize(std::min(760, 120 + 110 * sheet_.lastColumn()), 360);
}
