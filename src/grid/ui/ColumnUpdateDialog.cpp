#include "grid/ui/ColumnUpdateDialog.h"

#include "app/ui/DialogPlace.h"
#include "platform/Status.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

// The frame's status line, with the dialog's "Abort" button as a second way to stop.
class ColumnUpdateDialog::AbortableStatus : public Status {
public:
    explicit AbortableStatus(Status& frame)
        : frame_(frame) {}
    void showStatus(const QString& text, int progress) override {
        frame_.showStatus(text, progress);
    }
    bool abortRequested() override { return frame_.abortRequested() || abort; }
    void resetAbort() override {
        frame_.resetAbort();
        abort = false;
    }
    bool abort = false;

private:
    Status& frame_;
};

ColumnUpdateDialog::ColumnUpdateDialog(GridTarget target, const QStringList& columns,
                                       Dialogs& dialogs, Status& status,
                                       const WindowGeometry* geometry, QWidget* parent)
    : QDialog(parent)
    , target_(std::move(target))
    , dialogs_(dialogs)
    , status_(std::make_unique<AbortableStatus>(status))
    , geometry_(geometry) {
    setWindowTitle(QStringLiteral("Update Column"));
    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    layout->addWidget(tabs);

    auto* equationTab = new QWidget(tabs);
    auto* form = new QFormLayout(equationTab);
    equationTarget_ = new QComboBox(equationTab);
    equationTarget_->addItem(QString());
    equationTarget_->addItems(columns);
    form->addRow(QStringLiteral("Column to be updated"), equationTarget_);
    for (int v = 0; v < UserCalcFormula::variableCount; ++v) {
        variables_[size_t(v)] = new QComboBox(equationTab);
        variables_[size_t(v)]->addItem(QString());
        variables_[size_t(v)]->addItems(columns);
        form->addRow(QString(UserCalcFormula::letter(v)) + QStringLiteral(" of the equation"),
                     variables_[size_t(v)]);
    }
    auto* equationMode =
        new QRadioButton(QStringLiteral("Equation:   (e.g. a/(a+b+c))"), equationTab);
    equationMode->setChecked(true);
    equation_ = new QLineEdit(equationTab);
    form->addRow(equationMode, equation_);
    valueMode_ = new QRadioButton(QStringLiteral("Value:"), equationTab);
    value_ = new QLineEdit(equationTab);
    form->addRow(valueMode_, value_);
    auto* kinds = new QHBoxLayout;
    auto* numeric = new QRadioButton(QStringLiteral("Numeric"), equationTab);
    numeric->setChecked(true);
    textValue_ = new QRadioButton(QStringLiteral("Text"), equationTab);
    auto* kindGroup = new QButtonGroup(equationTab);
    kindGroup->addButton(numeric);
    kindGroup->addButton(textValue_);
    auto* modeGroup = new QButtonGroup(equationTab);
    modeGroup->addButton(equationMode);
    modeGroup->addButton(valueMode_);
    kinds->addWidget(numeric);
    kinds->addWidget(textValue_);
    form->addRow(QString(), kinds);
    ignoreNulls_ = new QCheckBox(QStringLiteral("Ignore NULLs"), equationTab);
    form->addRow(ignoreNulls_);
    auto* runEquationButton = new QPushButton(QStringLiteral("Run"), equationTab);
    connect(runEquationButton, &QPushButton::clicked, this, &ColumnUpdateDialog::runEquation);
    form->addRow(runEquationButton);
    tabs->addTab(equationTab, QStringLiteral("Equation"));

    auto* columnsTab = new QWidget(tabs);
    auto* grid = new QGridLayout(columnsTab);
    grid->addWidget(new QLabel(QStringLiteral("Selected Columns:"), columnsTab), 0, 0);
    columns_ = new QListWidget(columnsTab);
    for (const QString& c : columns) {
        auto* item = new QListWidgetItem(c, columns_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    grid->addWidget(columns_, 1, 0, 6, 1);
    const auto checkAll = [this](Qt::CheckState state) {
        for (int i = 0; i < columns_->count(); ++i)
            columns_->item(i)->setCheckState(state);
    };
    auto* all = new QPushButton(QStringLiteral("Select all"), columnsTab);
    auto* none = new QPushButton(QStringLiteral("Unselect all"), columnsTab);
    connect(all, &QPushButton::clicked, this, [checkAll] { checkAll(Qt::Checked); });
    connect(none, &QPushButton::clicked, this, [checkAll] { checkAll(Qt::Unchecked); });
    grid->addWidget(all, 1, 1);
    grid->addWidget(none, 2, 1);
    auto* opGroup = new QButtonGroup(columnsTab);
    for (const auto a : {ColumnUpdate::Aggregate::Sum, ColumnUpdate::Aggregate::Avg,
                         ColumnUpdate::Aggregate::Min, ColumnUpdate::Aggregate::Max}) {
        auto* button = new QRadioButton(ColumnUpdate::aggregateName(a), columnsTab);
        operations_[size_t(a)] = button;
        opGroup->addButton(button);
        grid->addWidget(button, 3 + int(a) / 2, 1 + int(a) % 2);
    }
    operations_[0]->setChecked(true);
    aggregateTarget_ = new QComboBox(columnsTab);
    aggregateTarget_->addItem(QString());
    aggregateTarget_->addItems(columns);
    grid->addWidget(new QLabel(QStringLiteral("Column to be updated"), columnsTab), 5, 1);
    grid->addWidget(aggregateTarget_, 5, 2);
    aggregateIgnoreNulls_ = new QCheckBox(QStringLiteral("Ignore NULLs"), columnsTab);
    grid->addWidget(aggregateIgnoreNulls_, 6, 1);
    auto* runAggregateButton = new QPushButton(QStringLiteral("Run"), columnsTab);
    connect(runAggregateButton, &QPushButton::clicked, this, &ColumnUpdateDialog::runAggregate);
    grid->addWidget(runAggregateButton, 7, 1);
    tabs->addTab(columnsTab, QStringLiteral("Columns"));

    close_ = new QPushButton(QStringLiteral("Close"), this);
    connect(close_, &QPushButton::clicked, this, [this] {
        if (running_)
            status_->abort = true;
        else
            accept();
    });
    layout->addWidget(close_, 0, Qt::AlignRight);
    DialogPlace::restore(*this, geometry_, QStringLiteral("ViewDialog"));
}

ColumnUpdateDialog::~ColumnUpdateDialog() {
    DialogPlace::save(*this, geometry_, QStringLiteral("ViewDialog"));
}

bool ColumnUpdateDialog::finish(const std::optional<ColumnUpdate::Outcome>& outcome) {
    running_ = false;
    close_->setText(QStringLiteral("Close"));
    const bool updated = outcome && outcome->updated > 0;
    changed_ = changed_ || updated;
    return updated;
}

bool ColumnUpdateDialog::runEquation() {
    ColumnUpdate::Equation e;
    e.target = equationTarget_->currentText();
    for (int v = 0; v < UserCalcFormula::variableCount; ++v)
        e.variables[size_t(v)] = variables_[size_t(v)]->currentText();
    e.equation = equation_->text();
    e.valueMode = valueMode_->isChecked();
    e.value = value_->text();
    e.numericValue = !textValue_->isChecked();
    e.ignoreNulls = ignoreNulls_->isChecked();
    running_ = true;
    close_->setText(QStringLiteral("Abort"));
    return finish(ColumnUpdate(target_, dialogs_, *status_).UpdateColumnByEquation(e));
}

bool ColumnUpdateDialog::runAggregate() {
    QStringList chosen;
    for (int i = 0; i < columns_->count(); ++i)
        if (columns_->item(i)->checkState() == Qt::Checked)
            chosen << columns_->item(i)->text();
    auto operation = ColumnUpdate::Aggregate::Sum;
    for (size_t a = 0; a < operations_.size(); ++a)
        if (operations_[a]->isChecked())
            operation = ColumnUpdate::Aggregate(a);
    running_ = true;
    close_->setText(QStringLiteral("Abort"));
    return finish(ColumnUpdate(target_, dialogs_, *status_)
                      .UpdateColumnByAggregate(aggregateTarget_->currentText(), chosen, operation,
                                               aggregateIgnoreNulls_->isChecked()));
}
