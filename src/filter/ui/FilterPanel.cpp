#include "filter/ui/FilterPanel.h"

#include "db/SchemaCatalogue.h"
#include "filter/ConditionPreparer.h"
#include "filter/FilterWindow.h"

#include "platform/qt/ComboRefill.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

FilterPanel::FilterPanel(FilterWindow& window, const SchemaCatalogue& catalogue, QWidget* parent)
    : QWidget(parent)
    , window_(window)
    , catalogue_(catalogue)
    , modes_(new QTabWidget)
    , clipData_(new QCheckBox(QStringLiteral("ClipData")))
    , tableLabel_(new QLabel(QStringLiteral("Table:")))
    , fieldLabel_(new QLabel(QStringLiteral("Field:")))
    , tables_(new QComboBox)
    , fields_(new QComboBox)
    , operators_(new QComboBox)
    , value_(new QLineEdit)
    , name_(new QLineEdit)
    , prefix_(new QLineEdit)
    , filters_(new QListWidget)
    , and_(new QRadioButton(QStringLiteral("And")))
    , combine1_(new QComboBox)
    , combine2_(new QComboBox)
    , combineResult_(new QLineEdit)
    , sql_(new QPlainTextEdit)
    , hint_(new QLabel)
    , count_(new QLabel) {
    setWindowTitle(FilterWindow::caption());
    operators_->addItems(ConditionPreparer::operators());
    auto* fieldPage = new QWidget;
    auto* fieldForm = new QFormLayout(fieldPage);
    fieldForm->addRow(tableLabel_, tables_);
    fieldForm->addRow(fieldLabel_, fields_);
    fieldForm->addRow(QStringLiteral("Operator:"), operators_);
    fieldForm->addRow(QStringLiteral("Value:"), value_);
    auto* sqlPage = new QLabel(QStringLiteral("\"Make filter\" stores the SQL window below as the "
                                              "filter.\nOpen, save and undo it in the SQL menu."));
    sqlPage->setWordWrap(true);
    sqlPage->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    modes_->addTab(fieldPage, QStringLiteral("Field"));
    modes_->addTab(sqlPage, QStringLiteral("SQL"));
    clipData_->setToolTip(QStringLiteral("Make filters of the ClipData sheet: Sheet, Column, "
                                         "Value, Filtername"));
    clipData_->setEnabled(false);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Filter name:"), name_);
    form->addRow(QStringLiteral("Filter prefix:"), prefix_);

    const auto button = [this](const QString& text, const QString& tip,
                               bool (FilterWindow::*action)()) {
        auto* b = new QPushButton(text);
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, [this, action] { act(action); });
        return b;
    };
    auto* make = new QHBoxLayout;
    make->addWidget(button(QStringLiteral("Make filter"), QStringLiteral("Add new filter"),
                           &FilterWindow::makeFilter));
    make->addWidget(button(QStringLiteral("Make AutoFilters"),
                           QStringLiteral("Make filters (unique entries) from selected data"),
                           &FilterWindow::makeAutoFilters));
    make->addWidget(button(QStringLiteral("Sniff"),
                           QStringLiteral("Sniff unique entries / data range"),
                           &FilterWindow::sniffField));

    filters_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* actions = new QGridLayout;
    const struct {
        const char* text;
        const char* tip;
        bool (FilterWindow::*action)();
    } listActions[] = {
        {"Info", "Displays SQL command of the filter", &FilterWindow::info},
        {"Edit", "Edit selected filter", &FilterWindow::edit},
        {"Save SQL", "Save the edited SQL as the filter", &FilterWindow::saveSql},
        {"Rename", "Rename selected filter", &FilterWindow::rename},
        {"Delete", "Delete selected filters", &FilterWindow::deleteSelected},
        {"Run SQL", "Store the SQL window as a new filter", &FilterWindow::runSql},
    };
    int i = 0;
    for (const auto& a : listActions) {
        actions->addWidget(button(QString::fromUtf8(a.text), QString::fromUtf8(a.tip), a.action),
                           i / 2, i % 2);
        ++i;
    }
    auto* lists = new QHBoxLayout;
    lists->addWidget(filters_, 1);
    lists->addLayout(actions);

    auto* aggregate = new QGroupBox(QStringLiteral("Aggregate"));
    auto* aggregateLayout = new QHBoxLayout(aggregate);
    auto* orOption = new QRadioButton(QStringLiteral("Or"));
    and_->setChecked(true);
    aggregateLayout->addWidget(and_);
    aggregateLayout->addWidget(orOption);
    aggregateLayout->addWidget(button(QStringLiteral("Add clause"),
                                      QStringLiteral("Add clause to filter"),
                                      &FilterWindow::addClause));

    auto* combine = new QGroupBox(QStringLiteral("Combine filters"));
    auto* combineForm = new QFormLayout(combine);
    combineForm->addRow(QStringLiteral("Filtername 1:"), combine1_);
    combineForm->addRow(QStringLiteral("Filtername 2:"), combine2_);
    combineForm->addRow(QStringLiteral("Resulting filtername:"), combineResult_);
    auto* parts = new QHBoxLayout;
    using Part = FilterSetCombiner::Part;
    for (const Part part : {Part::OnlyA, Part::OnlyB, Part::Common, Part::All}) {
        auto* option = new QRadioButton(FilterSetCombiner::caption(part));
        option->setProperty("part", int(part));
        combineParts_ << option;
        parts->addWidget(option);
    }
    combineForm->addRow(parts);
    combineForm->addRow(button(QStringLiteral("Combine filters"),
                               QStringLiteral("Combine two existing filters"),
                               &FilterWindow::combineFilters));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(clipData_);
    layout->addWidget(modes_);
    layout->addLayout(form);
    layout->addLayout(make);
    layout->addWidget(count_);
    layout->addLayout(lists, 1);
    layout->addWidget(aggregate);
    layout->addWidget(combine);
    layout->addWidget(hint_);
    layout->addWidget(sql_, 1);

    buildSqlMenu();
    connect(tables_, &QComboBox::currentTextChanged, this, [this] { fillFields(); });
    connect(clipData_, &QCheckBox::toggled, this, [this](bool on) {
        tableLabel_->setText(on ? QStringLiteral("Sheet:") : QStringLiteral("Table:"));
        fieldLabel_->setText(on ? QStringLiteral("Column:") : QStringLiteral("Field:"));
        name_->setPlaceholderText(on ? QStringLiteral("Filtername") : QString());
        // ClipData filters are conditions on a column, never SQL.
        modes_->setTabEnabled(1, !on);
        if (on)
            modes_->setCurrentIndex(0);
        refreshLists();
    });
    connect(operators_, &QComboBox::currentTextChanged, this, [this](const QString& op) {
        window_.setOperator(op);
        value_->setEnabled(window_.valueEnabled());
        if (!window_.valueEnabled())
            value_->clear();
    });
    refreshLists();
}

void FilterPanel::refreshLists() {
    {
        // The field picker keeps its choice when the table stays the same.
        const QSignalBlocker quiet(tables_);
        refillKeepingChoice(tables_, tableChoices());
    }
    fillFields();
    filters_->clear();
    filters_->addItems(window_.filters());
    refillKeepingChoice(combine1_, window_.filters());
    refillKeepingChoice(combine2_, window_.filters());
}

void FilterPanel::setClipDataLists(std::function<QStringList()> pages,
                                   std::function<QStringList(const QString&)> columns) {
    clipPages_ = std::move(pages);
    clipColumns_ = std::move(columns);
    clipData_->setEnabled(clipPages_ && clipColumns_);
}

QStringList FilterPanel::tableChoices() const {
    return clipData_->isChecked() ? clipPages_() : catalogue_.tableNames();
}

void FilterPanel::fillFields() {
    refillKeepingChoice(fields_, clipData_->isChecked()
                                     ? clipColumns_(tables_->currentText())
                                     : catalogue_.fieldNames(tables_->currentText()));
}

void FilterPanel::buildSqlMenu() {
    auto* bar = new QMenuBar;
    layout()->setMenuBar(bar);
    QMenu* sql = bar->addMenu(QStringLiteral("SQL"));
    const auto item = [&](const QString& text, auto action) {
        sql->addAction(text, this, [this, action] {
            takeInput();
            action();
            showState();
        });
    };
    item(QStringLiteral("Open SQL..."), [this] {
        if (window_.openSqlFile())
            modes_->setCurrentIndex(1);
    });
    item(QStringLiteral("Save SQL..."), [this] { window_.saveSqlFile(); });
    item(QStringLiteral("Clear SQL"), [this] { window_.clearSql(); });
    item(QStringLiteral("&Undo last SQL"), [this] { window_.undoSql(); });
    item(QStringLiteral("Cancel SQL edit"), [this] { window_.cancelEdit(); });
    item(QStringLiteral("&Copy SQL clause"),
         [this] { QApplication::clipboard()->setText(window_.sqlText()); });
}

void FilterPanel::takeInput() {
    window_.clipData = clipData_->isChecked();
    window_.sqlTabActive = !window_.clipData && modes_->currentIndex() == 1;
    window_.table = tables_->currentText();
    window_.field = fields_->currentText();
    window_.setOperator(operators_->currentText());
    window_.value = value_->text();
    window_.name = name_->text();
    window_.prefix = prefix_->text();
    window_.join = and_->isChecked() ? ClauseAppender::Join::And : ClauseAppender::Join::Or;
    if (sql_->toPlainText() != window_.sqlText())
        window_.setSqlText(sql_->toPlainText());
    window_.combine1 = combine1_->currentText();
    window_.combine2 = combine2_->currentText();
    window_.combineResult = combineResult_->text();
    window_.combinePart = FilterSetCombiner::Part::None;
    for (const QRadioButton* option : combineParts_)
        if (option->isChecked())
            window_.combinePart = FilterSetCombiner::Part(option->property("part").toInt());
    window_.selected.clear();
    for (const QListWidgetItem* item : filters_->selectedItems())
        window_.selected << item->text();
}

void FilterPanel::showState() {
    sql_->setPlainText(window_.sqlText());
    hint_->setText(window_.hint());
    count_->setText(window_.countText());
    const QStringList kept = window_.selected;
    refreshLists();
    for (int r = 0; r < filters_->count(); ++r)
        filters_->item(r)->setSelected(kept.contains(filters_->item(r)->text()));
}

void FilterPanel::act(bool (FilterWindow::*action)()) {
    takeInput();
    (window_.*action)();
    showState();
}
