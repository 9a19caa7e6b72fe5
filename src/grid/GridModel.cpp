#include "grid/GridModel.h"

#include "platform/NumberText.h"

#include <algorithm>

GridModel::GridModel(std::unique_ptr<GridRowSource> source, QObject* parent)
    : QAbstractTableModel(parent)
    , source_(std::move(source)) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(std::min<qsizetype>(source_->rowCount(), INT_MAX));
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(source_->columnNames().size());
}

const RowSet* GridModel::page(int number) const {
    auto it = pages_.find(number);
    if (it == pages_.end()) {
        auto rows = source_->rows(qsizetype(number) * pageSize, pageSize);
        if (!rows)
            return nullptr;
        it = pages_.emplace(number, std::move(*rows)).first;
        if (int(pages_.size()) > keptPages) {
            pages_.erase(recent_.back());
            recent_.pop_back();
        }
    } else {
        recent_.remove(number);
    }
    recent_.push_front(number);
    return &it->second;
}

const RowSet::Row* GridModel::row(int r) const {
    if (r < 0 || r >= rowCount())
        return nullptr;
    const RowSet* p = page(r / pageSize);
    const int offset = r % pageSize;
    return p && offset < p->rowCount() ? &p->row(offset) : nullptr;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::TextAlignmentRole)
        return {};
    const RowSet::Row* cells = row(index.row());
    if (!cells || index.column() >= int(cells->size()))
        return {};
    const CellValue& cell = (*cells)[size_t(index.column())];
    const bool number = cell.kind() == CellValue::Kind::Number;
    if (role == Qt::TextAlignmentRole)
        return number ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    // The eye gets at most ten significant digits; editing starts from the stored value.
    if (number && role == Qt::DisplayRole)
        return NumberText::toDisplayText(*cell.toNumber());
    return cell.toText();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    // The tooltip carries the whole name when the column is too narrow for it.
    return section < columnCount() ? source_->columnNames()[section] : QVariant();
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (writer_)
        f |= Qt::ItemIsEditable;
    return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !writer_)
        return false;
    const RowSet::Row* cells = row(index.row());
    if (!cells)
        return false;
    const QString text = value.toString();
    const CellValue written = text.isEmpty() ? CellValue::null() : CellValue::text(text);
    if (!writer_(*cells, index.column(), written))
        return false;
    // The page is read again, so the cell shows what the database stored; a written key may
    // have moved its row.
    source_->forgetPositions();
    pages_.erase(index.row() / pageSize);
    recent_.remove(index.row() / pageSize);
    emit dataChanged(index, index);
    return true;
}

bool GridModel::reload() {
    beginResetModel();
    pages_.clear();
    recent_.clear();
    const bool opened = source_->open();
    endResetModel();
    return opened;
}
