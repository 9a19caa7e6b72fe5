#include "stats/ui/CorrelationSheetModel.h"

#include "platform/Sheet.h"
#include "stats/CorrelationWindow.h"

#include <QColor>
#include <QFont>
#include <cmath>

CorrelationSheetModel::CorrelationSheetModel(Sheet* sheet, const CorrelationWindow& window,
                                             bool coefficients, QObject* parent)
    : SheetTableModel(sheet, parent)
    , sheet_(sheet)
    , window_(window)
    , coefficients_(coefficients) {}

QVariant CorrelationSheetModel::data(const QModelIndex& index, int role) const {
    // Row 1 and column 1 hold the field names.
    if (!coefficients_ || !index.isValid() || index.row() == 0 || index.column() == 0)
        return SheetTableModel::data(index, role);
    const auto r = sheet_->number(index.row() + 1, index.column() + 1);
    if (!r)
        return SheetTableModel::data(index, role);
    const auto threshold = window_.highlightThreshold();
    // The diagonal is a field against itself, not a finding.
    const bool highlighted =
        threshold && index.row() != index.column() && std::abs(*r) >= *threshold;
    switch (role) {
    case Qt::DisplayRole:
        return QString::number(*r, 'f', window_.digits());
    case Qt::FontRole:
        if (highlighted) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        break;
    case Qt::ForegroundRole:
        if (highlighted)
            return QColor(160, 0, 0);
        break;
    default:
        break;
    }
    return SheetTableModel::data(index, role);
}
