#pragma once
// A sheet of the correlation window for its table view: on a coefficient sheet the numbers are
// shown with the window's digits, and coefficients off the diagonal at or above the highlight
// threshold (in absolute value) in bold dark red. Count sheets show as they are.
#include "platform/qt/SheetTableModel.h"

class CorrelationWindow;

class CorrelationSheetModel : public SheetTableModel {
    Q_OBJECT
public:
    CorrelationSheetModel(Sheet* sheet, const CorrelationWindow& window, bool coefficients,
                          QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    Sheet* sheet_;
    const CorrelationWindow& window_;
    bool coefficients_;
};
