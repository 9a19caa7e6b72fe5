#pragma once
// The grid's "Update Column..." dialog (frmViewDialog): an equation tab (the column to update,
// the columns taken as a to e, "Equation:" or "Value:" with "Numeric"/"Text", "Ignore NULLs",
// "Run") and a columns tab (the columns to combine, "Sum"/"Avg"/"Min"/"Max", the column to
// update, "Run"). While a run lasts its "Close" button reads "Abort" and stops the run.
#include "grid/ColumnUpdate.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class WindowGeometry;

class ColumnUpdateDialog : public QDialog {
    Q_OBJECT
public:
    ColumnUpdateDialog(GridTarget target, const QStringList& columns, Dialogs& dialogs,
                       Status& status, const WindowGeometry* geometry, QWidget* parent = nullptr);
    ~ColumnUpdateDialog() override;

    // The two "Run" buttons: true when records were updated.
    bool runEquation();
    bool runAggregate();

    QComboBox* equationTarget() const { return equationTarget_; }
    QComboBox* variable(int v) const { return variables_[size_t(v)]; }
    QLineEdit* equation() const { return equation_; }
    QRadioButton* valueMode() const { return valueMode_; }
    QLineEdit* value() const { return value_; }
    QRadioButton* textValue() const { return textValue_; }
    QCheckBox* ignoreNulls() const { return ignoreNulls_; }
    QListWidget* columnList() const { return columns_; }
    QComboBox* aggregateTarget() const { return aggregateTarget_; }
    QRadioButton* operation(ColumnUpdate::Aggregate a) const { return operations_[size_t(a)]; }
    QPushButton* closeButton() const { return close_; }

    // Records were updated by a run: the grid shows them again.
    bool changed() const { return changed_; }

private:
    class AbortableStatus;
    bool finish(const std::optional<ColumnUpdate::Outcome>& outcome);

    GridTarget target_;
    Dialogs& dialogs_;
    std::unique_ptr<AbortableStatus> status_;
    const WindowGeometry* geometry_;
    QComboBox* equationTarget_;
    std::array<QComboBox*, UserCalcFormula::variableCount> variables_{};
    QLineEdit* equation_;
    QRadioButton* valueMode_;
    QLineEdit* value_;
    QRadioButton* textValue_;
    QCheckBox* ignoreNulls_;
    QCheckBox* aggregateIgnoreNulls_;
    QListWidget* columns_;
    QComboBox* aggregateTarget_;
    std::array<QRadioButton*, 4> operations_{};
    QPushButton* close_;
    bool running_ = false;
    bool changed_ = false;
};
