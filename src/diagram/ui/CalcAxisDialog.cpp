#include "diagram/ui/CalcAxisDialog.h"

#include "calc/StoredCalculations.h"
#include "db/SchemaCatalogue.h"
#include "db/SystemDatabase.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CalcAxisDialog::CalcAxisDialog(const QString& axis, const UserCalculation& current,
                               const SchemaCatalogue& catalogue, const QString& systemDatabase,
                               QWidget* parent)
    : QDialog(parent)
    , catalogue_(catalogue)
    , systemDatabase_(systemDatabase) {
    setWindowTitle(QStringLiteral("Calculated values for ") + axis + QStringLiteral("-axis"));
    auto* layout = new QVBoxLayout(this);
    stored_ = new QComboBox(this);
    stored_->addItem(QString());
    if (!systemDatabase_.isEmpty())
        if (OpenedConnection system = SystemDatabase::open(systemDatabase_); system.ok())
            stored_->addItems(StoredCalculations(*system.connection).names());
    connect(stored_, &QComboBox::activated, this, [this] { useStored(stored_->currentText()); });
    auto* top = new QFormLayout;
    top->addRow(QStringLiteral("Stored calculation"), stored_);
    layout->addLayout(top);
    auto* grid = new QGridLayout;
    for (int v = 0; v < UserCalcFormula::variableCount; ++v) {
        tables_[size_t(v)] = new QComboBox(this);
        tables_[size_t(v)]->addItem(QString());
        tables_[size_t(v)]->addItems(catalogue_.tableNames());
        fields_[size_t(v)] = new QComboBox(this);
        connect(tables_[size_t(v)], &QComboBox::currentTextChanged, this,
                [this, v](const QString& t) {
                    fields_[size_t(v)]->clear();
                    fields_[size_t(v)]->addItem(QString());
                    fields_[size_t(v)]->addItems(catalogue_.fieldNames(t));
                });
        grid->addWidget(new QLabel(QString(UserCalcFormula::letter(v)), this), v, 0);
        grid->addWidget(tables_[size_t(v)], v, 1);
        grid->addWidget(fields_[size_t(v)], v, 2);
    }
    layout->addLayout(grid);
    equation_ = new QLineEdit(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Write equation using a, b and common operators && functions"), this));
    layout->addWidget(equation_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    show(current);
}

void CalcAxisDialog::show(const UserCalculation& c) {
    name_ = c.name;
    for (int v = 0; v < UserCalcFormula::variableCount; ++v) {
        tables_[size_t(v)]->setCurrentText(c.variables[size_t(v)].table);
        fields_[size_t(v)]->setCurrentIndex(
            std::max(0, fields_[size_t(v)]->findText(c.variables[size_t(v)].field)));
    }
    equation_->setText(c.equation);
}

bool CalcAxisDialog::useStored(const QString& name) {
    if (name.isEmpty() || systemDatabase_.isEmpty())
        return false;
    OpenedConnection system = SystemDatabase::open(systemDatabase_);
    const auto c = system.ok() ? StoredCalculations(*system.connection).load(name) : std::nullopt;
    if (c)
        show(*c);
    return c.has_value();
}

UserCalculation CalcAxisDialog::calculation() const {
    UserCalculation c;
    c.name = name_;
    c.equation = equation_->text().trimmed();
    for (int v = 0; v < UserCalcFormula::variableCount; ++v)
        c.variables[size_t(v)] = {tables_[size_t(v)]->currentText(),
                                  fields_[size_t(v)]->currentText()};
    return c;
}
