#include "calc/ui/UserCalcView.h"

#include "calc/StoredCalculations.h"
#include "db/SystemDatabase.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// Refills a picker, keeping its choice when it is still offered.
void refill(QComboBox* box, const QStringList& items) {
    const QString kept = box->currentText();
    const QSignalBlocker block(box);
    box->clear();
    box->addItem(QString());
    box->addItems(items);
    box->setCurrentIndex(std::max(0, box->findText(kept)));
}
} // namespace

UserCalcView::UserCalcView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                           QString systemDatabase, QWidget* parent)
    : QWidget(parent)
    , window_(std::make_unique<UserCalcWindow>(session, dialogs, status))
    , dialogs_(dialogs)
    , systemDatabase_(std::move(systemDatabase)) {
    setWindowTitle(UserCalcWindow::caption());
    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    layout->addWidget(tabs);

    auto* calc = new QWidget(tabs);
    auto* form = new QVBoxLayout(calc);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Table"), calc), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Field"), calc), 0, 2);
    for (int v = 0; v < UserCalcFormula::variableCount; ++v) {
        grid->addWidget(new QLabel(QString(UserCalcFormula::letter(v)), calc), v + 1, 0);
        tables_[size_t(v)] = new QComboBox(calc);
        tables_[size_t(v)]->setObjectName(QStringLiteral("cmbT%1").arg(v));
        fields_[size_t(v)] = new QComboBox(calc);
        fields_[size_t(v)]->setObjectName(QStringLiteral("cmbE%1").arg(v));
        grid->addWidget(tables_[size_t(v)], v + 1, 1);
        grid->addWidget(fields_[size_t(v)], v + 1, 2);
        connect(tables_[size_t(v)], &QComboBox::currentTextChanged, this,
                [this, v] { fillFields(v); });
    }
    form->addLayout(grid);
    form->addWidget(new QLabel(
        QStringLiteral("Write equation using a, b and common operators && functions (typed or "
                       "from list)"),
        calc));
    auto* equationRow = new QHBoxLayout;
    equation_ = new QLineEdit(calc);
    equation_->setObjectName(QStringLiteral("txtEquation"));
    functions_ = new QComboBox(calc);
    functions_->setObjectName(QStringLiteral("cmbFunctions"));
    functions_->addItem(QString());
    functions_->addItems(UserCalcWindow::functionList());
    connect(functions_, &QComboBox::activated, this, [this](int i) {
        if (i > 0)
            equation_->insert(UserCalcWindow::functionInsert(functions_->itemText(i)));
        functions_->setCurrentIndex(0);
        equation_->setFocus();
    });
    equationRow->addWidget(equation_, 3);
    equationRow->addWidget(functions_, 1);
    form->addLayout(equationRow);
    form->addWidget(new QLabel(QStringLiteral("Use lower case letters for a and b"), calc));
    auto* filterRow = new QHBoxLayout;
    useFilter_ = new QCheckBox(QStringLiteral("Use filtered data"), calc);
    filter_ = new QComboBox(calc);
    filterRow->addWidget(useFilter_);
    filterRow->addWidget(filter_, 1);
    form->addLayout(filterRow);
    auto* buttons = new QHBoxLayout;
    auto* checkButton = new QPushButton(QStringLiteral("Check"), calc);
    auto* calculateButton = new QPushButton(QStringLiteral("Calculate"), calc);
    calculateButton->setObjectName(QStringLiteral("cmdCalculate"));
    connect(checkButton, &QPushButton::clicked, this, &UserCalcView::check);
    connect(calculateButton, &QPushButton::clicked, this, &UserCalcView::calculate);
    buttons->addWidget(checkButton);
    buttons->addWidget(calculateButton);
    form->addLayout(buttons);
    summary_ = new QLabel(calc);
    form->addWidget(summary_);

    auto* storeBox = new QGroupBox(QStringLiteral("Storage place"), calc);
    auto* storeForm = new QFormLayout(storeBox);
    storeTable_ = new QComboBox(storeBox);
    storeField_ = new QComboBox(storeBox);
    newField_ = new QLineEdit(storeBox);
    emptyFirst_ =
        new QCheckBox(QStringLiteral("Empty the result field first (Null value stored)"), storeBox);
    auto* storeButton = new QPushButton(QStringLiteral("Store in DB"), storeBox);
    storeButton->setToolTip(QStringLiteral("Write calculated values to database"));
    connect(storeTable_, &QComboBox::currentTextChanged, this, [this] { fillStoreFields(); });
    connect(storeButton, &QPushButton::clicked, this, &UserCalcView::store);
    storeForm->addRow(QStringLiteral("Table"), storeTable_);
    storeForm->addRow(QStringLiteral("Field"), storeField_);
    storeForm->addRow(QStringLiteral("New field"), newField_);
    storeForm->addRow(emptyFirst_);
    storeForm->addRow(storeButton);
    form->addWidget(storeBox);
    tabs->addTab(calc, QStringLiteral("Calculation"));

    auto* results = new QWidget(tabs);
    auto* resultLayout = new QVBoxLayout(results);
    result_ = new QPlainTextEdit(results);
    result_->setReadOnly(true);
    auto* steps = new QHBoxLayout;
    auto* previous = new QPushButton(QStringLiteral("<"), results);
    auto* next = new QPushButton(QStringLiteral(">"), results);
    connect(previous, &QPushButton::clicked, this, [this] { showResultRow(resultRow_ - 1); });
    connect(next, &QPushButton::clicked, this, [this] { showResultRow(resultRow_ + 1); });
    steps->addWidget(previous);
    steps->addWidget(next);
    resultLayout->addWidget(result_);
    resultLayout->addLayout(steps);
    tabs->addTab(results, QStringLiteral("Result"));

    auto* kept = new QWidget(tabs);
    auto* keptLayout = new QVBoxLayout(kept);
    stored_ = new QListWidget(kept);
    stored_->setToolTip(QStringLiteral("Double click to use the calculation"));
    connect(stored_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { loadCalculation(item->text()); });
    auto* save = new QPushButton(QStringLiteral("Save"), kept);
    save->setToolTip(QStringLiteral("Keep the equation and its fields under a name"));
    connect(save, &QPushButton::clicked, this, &UserCalcView::saveCalculation);
    keptLayout->addWidget(stored_);
    keptLayout->addWidget(save);
    tabs->addTab(kept, QStringLiteral("Stored calculations"));

    refresh();
    fillStoredList();
}

UserCalcView::~UserCalcView() = default;

void UserCalcView::refresh() {
    const QStringList tables = window_->tableChoices();
    for (QComboBox* box : tables_)
        refill(box, tables);
    for (int v = 0; v < UserCalcFormula::variableCount; ++v)
        fillFields(v);
    refill(storeTable_, tables);
    fillStoreFields();
    refill(filter_, window_->filterChoices());
}

void UserCalcView::fillFields(int v) {
    refill(fields_[size_t(v)], window_->fieldChoices(tables_[size_t(v)]->currentText()));
}

void UserCalcView::fillStoreFields() {
    refill(storeField_, window_->fieldChoices(storeTable_->currentText()));
    storeField_->insertItem(1, UserCalcWindow::newFieldChoice());
}

void UserCalcView::readWidgets() {
    for (int v = 0; v < UserCalcFormula::variableCount; ++v)
        window_->variables[size_t(v)] = {tables_[size_t(v)]->currentText(),
                                         fields_[size_t(v)]->currentText()};
    window_->equation = equation_->text();
    window_->useFilter = useFilter_->isChecked();
    window_->filter = filter_->currentText();
}

bool UserCalcView::check() {
    readWidgets();
    return window_->CheckFormula(window_->equation);
}

bool UserCalcView::calculate() {
    readWidgets();
    const bool ran = window_->RunUserCalculation();
    summary_->setText(ran ? window_->summary() : QString());
    showResultRow(0);
    return ran;
}

void UserCalcView::showResultRow(qsizetype row) {
    if (window_->rowCount() == 0) {
        result_->clear();
        return;
    }
    resultRow_ = std::clamp<qsizetype>(row, 0, window_->rowCount() - 1);
    result_->setPlainText(window_->resultText(resultRow_));
}

bool UserCalcView::store() {
    const bool written =
        window_
            ->StoreUserCalculation({storeTable_->currentText(), storeField_->currentText(),
                                    newField_->text(), emptyFirst_->isChecked()})
            .has_value();
    if (written) {
        refresh();
        emit stored();
    }
    return written;
}

bool UserCalcView::saveCalculation() {
    readWidgets();
    const auto name = dialogs_.input(Dialogs::title(),
                                     QStringLiteral("Give name for the calculation"), QString());
    if (!name || name->trimmed().isEmpty())
        return false;
    OpenedConnection system = SystemDatabase::open(systemDatabase_);
    UserCalculation c{name->trimmed(), window_->equation, window_->variables};
    if (!system.ok() || !StoredCalculations(*system.connection).save(c)) {
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("The calculation can not be saved: ") +
                             (system.ok() ? system.connection->lastError() : system.error));
        return false;
    }
    fillStoredList();
    return true;
}

bool UserCalcView::loadCalculation(const QString& name) {
    OpenedConnection system = SystemDatabase::open(systemDatabase_);
    const auto c = system.ok() ? StoredCalculations(*system.connection).load(name) : std::nullopt;
    if (!c)
        return false;
    for (int v = 0; v < UserCalcFormula::variableCount; ++v) {
        tables_[size_t(v)]->setCurrentIndex(
            std::max(0, tables_[size_t(v)]->findText(c->variables[size_t(v)].table)));
        fields_[size_t(v)]->setCurrentIndex(
            std::max(0, fields_[size_t(v)]->findText(c->variables[size_t(v)].field)));
    }
    equation_->setText(c->equation);
    return true;
}

void UserCalcView::fillStoredList() {
    stored_->clear();
    OpenedConnection system = SystemDatabase::open(systemDatabase_);
    if (system.ok())
        stored_->addItems(StoredCalculations(*system.connection).names());
}
