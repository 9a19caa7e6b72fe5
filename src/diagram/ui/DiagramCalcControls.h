#pragma once
// The diagram window's "Calc" source: the check box chkPlus ("Check to use use element sums,
// ratios, etc.") and, beside the X, Y and Z boxes, a "Calc" label that opens the editor of that
// axis's calculation. A calculated axis shows "Calc" in its table box and the calculation's
// parts in its field box; the definition keeps the calculation.
#include "calc/UserCalculation.h"

#include <QObject>
#include <array>

class DiagramWindow;
class QCheckBox;
class QComboBox;
class QLabel;
class QWidget;
class SchemaCatalogue;

class DiagramCalcControls : public QObject {
    Q_OBJECT
public:
    DiagramCalcControls(DiagramWindow& window, const SchemaCatalogue& catalogue,
                        std::array<QComboBox*, 3> tables, std::array<QComboBox*, 3> fields,
                        QWidget* parent);

    QCheckBox* check() const { return check_; }
    QLabel* label(int slot) const { return labels_[size_t(slot)]; }
    // Where the kept calculations are (the system database); empty for none.
    QString systemDatabase;

    // The label's click: the editor on the axis; true when its calculation was taken.
    bool edit(int slot);
    // What accepting the editor does: the axis becomes the calculation and the source "Calc".
    void setCalculation(int slot, const UserCalculation& calculation);

private:
    DiagramWindow& window_;
    const SchemaCatalogue& catalogue_;
    std::array<QComboBox*, 3> tables_;
    std::array<QComboBox*, 3> fields_;
    QCheckBox* check_;
    std::array<QLabel*, 3> labels_{};
    QWidget* parent_;
};
