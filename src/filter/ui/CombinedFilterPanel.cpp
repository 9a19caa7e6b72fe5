#include "filter/ui/CombinedFilterPanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CombinedFilterPanel::CombinedFilterPanel(FilterCombiner& combiner, const QStringList& filters,
                                         DiagramFilterTarget* diagram, QWidget* parent)
    : QWidget(parent)
    , combiner_(combiner)
    , diagram_(diagram) {
    auto* frame = new QGroupBox(QStringLiteral("Use combined filters:"), this);
    filterA_ = new QComboBox(frame);
    filterB_ = new QComboBox(frame);
    for (QComboBox* box : {filterA_, filterB_}) {
        box->addItems(QStringList{QString()} + filters);
        connect(box, &QComboBox::currentTextChanged, this, [this] { takeInput(); });
    }
    and_ = new QRadioButton(QStringLiteral("AND"), frame);
    or_ = new QRadioButton(QStringLiteral("OR"), frame);
    for (QRadioButton* option : {and_, or_})
        connect(option, &QRadioButton::toggled, this, [this] { takeInput(); });
    result_ = new QLineEdit(frame);
    result_->setReadOnly(true);
    auto* combineButton = new QPushButton(QStringLiteral("Combine filters"), frame);
    combineButton->setToolTip(QStringLiteral("Combine two existing filters"));
    auto* combineAndClose =
        new QPushButton(QStringLiteral("Combine two existing filters and close"), frame);
    connect(combineButton, &QPushButton::clicked, this, [this] { combine(); });
    connect(combineAndClose, &QPushButton::clicked, this, [this] {
        if (combine())
            emit closeRequested();
    });

    auto* options = new QHBoxLayout;
    options->addWidget(and_);
    options->addWidget(or_);
    auto* form = new QFormLayout(frame);
    form->addRow(QStringLiteral("Filter A:"), filterA_);
    form->addRow(QStringLiteral("Filter B:"), filterB_);
    form->addRow(options);
    form->addRow(QStringLiteral("Resulting filter:"), result_);
    form->addRow(combineButton);
    form->addRow(combineAndClose);
    (new QVBoxLayout(this))->addWidget(frame);
}

void CombinedFilterPanel::takeInput() {
    combiner_.filterA = filterA_->currentText();
    combiner_.filterB = filterB_->currentText();
    combiner_.op = and_->isChecked()  ? FilterCombiner::Operator::And
                   : or_->isChecked() ? FilterCombiner::Operator::Or
                                      : FilterCombiner::Operator::None;
    result_->setText(combiner_.resultText());
}

bool CombinedFilterPanel::combine() {
    takeInput();
    if (!combiner_.combine(diagram_))
        return false;
    emit combined();
    return true;
}
