#include "platform/qt/SheetTableModel.h"

#include "platform/FieldNumber.h"
#include "platform/NumberText.h"
#include "platform/Sheet.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>

#include <climits>

SheetTableModel::SheetTableModel(Sheet* sheet, QObject* parent)
    : QAbstractTableModel(parent)
    , sheet_(sheet) {}

void SheetTableModel::setSheet(Sheet* sheet) {
    beginResetModel();
    sheet_ = sheet;
    endResetModel();
}

void SheetTableModel::reset() {
    beginResetModel();
    endResetModel();
}

QString SheetTableModel::columnLetters(int column) {
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

QString SheetTableModel::rectangleTsv(const QModelIndexList& cells) const {
    if (cells.isEmpty() || !sheet_)
        return {};
    int r1 = INT_MAX, c1 = INT_MAX, r2 = 0, c2 = 0;
    for (const QModelIndex& i : cells) {
        r1 = std::min(r1, i.row() + 1);
        c1 = std::min(c1, i.column() + 1);
        r2 = std::max(r2, i.row() + 1);
        c2 = std::max(c2, i.column() + 1);
    }
    return sheet_->toTsv(r1, c1, r2, c2);
}

void SheetTableModel::copySelection(const QAbstractItemView& view) {
    const auto* model = qobject_cast<const SheetTableModel*>(view.model());
    if (!model || !view.selectionModel())
        return;
    const QString text = model->rectangleTsv(view.selectionModel()->selectedIndexes());
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !sheet_ ? 0 : sheet_->lastRow() + spareRows;
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !sheet_ ? 0 : sheet_->lastColumn() + spareColumns;
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
    if (!sheet_ || !index.isValid())
        return {};
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    // Numbers show at most ten significant digits; editing starts from the stored value.
    if (role == Qt::DisplayRole && sheet_->isNumber(row, column))
        return NumberText::toDisplayText(*sheet_->number(row, column));
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return sheet_->text(row, column);
    if (role == Qt::TextAlignmentRole && sheet_->isNumber(row, column))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? QVariant(columnLetters(section + 1))
                                         : QVariant(section + 1);
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool SheetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!sheet_ || !index.isValid() || role != Qt::EditRole)
        return false;
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    const QString text = value.toString();
    const int rows = rowCount();
    const int columns = columnCount();
    if (text.isEmpty())
        sheet_->clearCell(row, column);
    else if (const auto number = FieldNumber::of(text))
        sheet_->setNumber(row, column, *number);
    else
        sheet_->setText(row, column, text);
    if (rows != rowCount() || columns != columnCount())
        reset(); // typing beyond the used range grows the spare area
    else
        emit dataChanged(index, index);
    return true;
}
