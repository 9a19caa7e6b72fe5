#include "spider/ui/SpiderSampleView.h"

#include "db/SessionDatabase.h"
#include "platform/qt/ComboRefill.h"
#include "spider/SpiderWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::vector<int> selectedRows(const QListWidget* list) {
    std::vector<int> rows;
    for (const QListWidgetItem* item : list->selectedItems())
        rows.push_back(list->row(item));
    return rows;
}

} // namespace

SpiderSampleView::SpiderSampleView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                                   SpiderWindow& spider, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , spider_(spider)
    , selection_(session, dialogs, status)
    , table_(new QComboBox(this))
    , filter_(new QComboBox(this))
    , field_(new QComboBox(this))
    , notZero_(new QCheckBox(QStringLiteral("And not zero"), this))
    , left_(new QListWidget(this))
    , right_(new QListWidget(this)) {
    setWindowTitle(SpiderSampleSelection::caption());
    left_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    right_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    const SchemaCatalogue& catalogue = session.catalogue();
    refillKeepingChoice(table_, catalogue.tableNames());
    refillKeepingChoice(filter_, catalogue.filters);
    const auto fillFields = [this] {
        refillKeepingChoice(field_, session_.catalogue().fieldNames(table_->currentText()));
    };
    fillFields();
    connect(table_, &QComboBox::currentTextChanged, this, fillFields);

    auto* layout = new QVBoxLayout(this);
    auto* pickers = new QGridLayout;
    const auto button = [this](const QString& text, const std::function<void()>& action) {
        auto* b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    pickers->addWidget(new QLabel(QStringLiteral("Table")), 0, 0);
    pickers->addWidget(table_, 0, 1);
    pickers->addWidget(
        button(QStringLiteral("All from Table"), [this] { fill(Fill::AllFromTable); }), 0, 2);
    pickers->addWidget(new QLabel(QStringLiteral("Filter")), 1, 0);
    pickers->addWidget(filter_, 1, 1);
    pickers->addWidget(button(QStringLiteral("Use filter"), [this] { fill(Fill::Filter); }), 1, 2);
    pickers->addWidget(new QLabel(QStringLiteral("Field")), 2, 0);
    pickers->addWidget(field_, 2, 1);
    pickers->addWidget(button(QStringLiteral("Only the ones which have data in field"),
                              [this] { fill(Fill::DataInField); }),
                       2, 2);
    pickers->addWidget(notZero_, 3, 1);
    pickers->addWidget(button(QStringLiteral("Only the ones which have data in all fields"),
                              [this] { fill(Fill::DataInAllFields); }),
                       3, 2);
    layout->addLayout(pickers);

    auto* lists = new QHBoxLayout;
    lists->addWidget(left_);
    auto* middle = new QVBoxLayout;
    const auto edit = [this](const std::function<void()>& change) {
        return [this, change] {
            change();
            showLists();
        };
    };
    middle->addWidget(
        button(QStringLiteral("Add"), edit([this] { selection_.add(selectedRows(left_)); })));
    middle->addWidget(
        button(QStringLiteral("Add all samples to list"), edit([this] { selection_.addAll(); })));
    middle->addWidget(button(QStringLiteral("Remove selected sample from list"),
                             edit([this] { selection_.remove(selectedRows(right_)); })));
    middle->addWidget(button(QStringLiteral("Remove all samples from list"),
                             edit([this] { selection_.removeAll(); })));
    middle->addWidget(
        button(QStringLiteral("Clear List"), edit([this] { selection_.clearList(); })));
    middle->addStretch();
    lists->addLayout(middle);
    lists->addWidget(right_);
    layout->addLayout(lists, 1);

    auto* bottom = new QHBoxLayout;
    QPushButton* view = button(QStringLiteral("&View"), [this] {
        if (const QString sql = selection_.viewStatement(); !sql.isEmpty() && openGrid)
            openGrid(sql, QStringLiteral("Show selected spider samples in table"));
    });
    view->setToolTip(QStringLiteral("View selected in table..."));
    QPushButton* ok = button(QStringLiteral("&OK"), [this] { accept(); });
    ok->setToolTip(QStringLiteral("Draw selected samples"));
    bottom->addStretch();
    bottom->addWidget(view);
    bottom->addWidget(ok);
    layout->addLayout(bottom);
}

bool SpiderSampleView::fill(Fill how) {
    SpiderSampleSelection::Query query{table_->currentText(), {}, {}, notZero_->isChecked()};
    if (how == Fill::Filter)
        query.filter = filter_->currentText();
    if (how == Fill::DataInField)
        query.withData.push_back({table_->currentText(), field_->currentText()});
    if (how == Fill::DataInAllFields)
        query.withData = spider_.typeFields();
    const bool ok = selection_.fill(query);
    showLists();
    return ok;
}

void SpiderSampleView::showLists() {
    left_->clear();
    for (const CellValue& k : selection_.candidates())
        left_->addItem(k.toText());
    right_->clear();
    for (const CellValue& k : selection_.selected())
        right_->addItem(k.toText());
}

bool SpiderSampleView::accept() {
    if (!selection_.accept())
        return false;
    spider_.setSelection(selection_.selectedTable(), selection_.selectedKeyField(),
                         selection_.selected());
    if (accepted)
        accepted();
    return true;
}
