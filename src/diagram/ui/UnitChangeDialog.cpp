#include "diagram/ui/UnitChangeDialog.h"

#include "diagram/DiagramWindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr ConcentrationUnit unitOrder[] = {ConcentrationUnit::Percent, ConcentrationUnit::Ppm,
                                           ConcentrationUnit::Ppb, ConcentrationUnit::MolProp};
}

UnitChangeDialog::UnitChangeDialog(DiagramWindow& diagram, std::function<void()> shown,
                                   QWidget* parent)
    : QDialog(parent)
    , window_(diagram, diagram.dialogs())
    , shown_(std::move(shown))
    , axis_(new QComboBox(this))
    , current_(new QLabel(this))
    , formLabel_(new QLabel(this))
    , form_(new QComboBox(this))
    , apply_(new QPushButton(QStringLiteral("&Apply"), this)) {
    setWindowTitle(UnitChangeWindow::caption());
    auto* layout = new QVBoxLayout(this);
    axis_->addItems(window_.axisChoices());
    layout->addWidget(axis_);
    layout->addWidget(current_);
    auto* unitBox = new QGroupBox(QStringLiteral("Unit"), this);
    auto* unitRow = new QHBoxLayout(unitBox);
    for (const ConcentrationUnit unit : unitOrder) {
        auto* option = new QRadioButton(ConcentrationUnits::caption(unit), unitBox);
        unitRow->addWidget(option);
        units_ << option;
        connect(option, &QRadioButton::toggled, this, [this, unit](bool on) {
            if (on)
                window_.setTargetUnit(unit);
        });
    }
    layout->addWidget(unitBox);
    layout->addWidget(formLabel_);
    layout->addWidget(form_);
    apply_->setToolTip(QStringLiteral("Change units and close"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(axis_, &QComboBox::currentIndexChanged, this, [this](int index) {
        const int before = window_.axis();
        window_.selectAxis(index);
        if (window_.axis() != before)
            shown_(); // a change confirmed on leaving the axis is drawn at once
        showAxis();
    });
    connect(form_, &QComboBox::currentTextChanged, this,
            [this](const QString& form) { window_.setTargetForm(form); });
    connect(apply_, &QPushButton::clicked, this, [this] {
        if (window_.apply() > 0)
            shown_();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showAxis();
}

void UnitChangeDialog::showAxis() {
    const UnitChangeWindow::Slot& slot = window_.slot();
    current_->setText(QStringLiteral("Current unit: ") +
                      UnitChangeWindow::storedCaption(slot.unit) +
                      (slot.form.isEmpty() ? QString() : QStringLiteral(" of ") + slot.form));
    const ConcentrationUnit target = slot.targetUnit;
    const QString targetForm = slot.targetForm;
    for (int i = 0; i < units_.size(); ++i)
        if (unitOrder[i] == target)
            units_[i]->setChecked(true);
    formLabel_->setText(window_.formPrompt());
    const QSignalBlocker block(form_);
    form_->clear();
    form_->addItems(slot.forms);
    form_->setCurrentText(targetForm);
    form_->setEnabled(!slot.forms.isEmpty());
}
