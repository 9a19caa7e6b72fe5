#include "diagram/ui/DiagramCalcControls.h"

#include "diagram/DiagramWindow.h"
#include "diagram/ui/CalcAxisDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

DiagramCalcControls::DiagramCalcControls(DiagramWindow& window, const SchemaCatalogue& catalogue,
                                         std::array<QComboBox*, 3> tables,
                                         std::array<QComboBox*, 3> fields, QWidget* parent)
    : QObject(parent)
    , window_(window)
    , catalogue_(catalogue)
    , tables_(tables)
    , fields_(fields)
    , parent_(parent) {
    check_ = new QCheckBox(QStringLiteral("Calc"), parent);
    check_->setObjectName(QStringLiteral("chkPlus"));
    check_->setToolTip(QStringLiteral("Check to use use element sums, ratios, etc."));
    connect(check_, &QCheckBox::toggled, this, [this](bool on) {
        window_.definition.calc = on;
        for (QLabel* l : labels_)
            l->setEnabled(on);
    });
    const QStringList axes{QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
    for (int slot = 0; slot < 3; ++slot) {
        auto* label = new QLabel(QStringLiteral("<a href=\"calc\">Calc</a>"), parent);
        label->setToolTip(QStringLiteral("Click this lable to edit calculated values for ") +
                          axes[slot] + QStringLiteral("-axis"));
        label->setEnabled(false);
        connect(label, &QLabel::linkActivated, this, [this, slot] { edit(slot); });
        labels_[size_t(slot)] = label;
    }
}

bool DiagramCalcControls::edit(int slot) {
    const QStringList axes{QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
    CalcAxisDialog dialog(axes[slot], window_.definition.calculations[size_t(slot)], catalogue_,
                          systemDatabase, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    setCalculation(slot, dialog.calculation());
    return true;
}

void DiagramCalcControls::setCalculation(int slot, const UserCalculation& c) {
    window_.definition.calculations[size_t(slot)] = c;
    check_->setChecked(true);
    tables_[size_t(slot)]->setCurrentText(DiagramDefinition::calcTable());
    fields_[size_t(slot)]->setCurrentText(DiagramDefinition::calcTitle(c));
}
