#include "clipdata/ui/TableLoaderView.h"

#include "clipdata/TableLoaderWindow.h"
#include "db/SchemaCatalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

TableLoaderView::TableLoaderView(TableLoaderWindow& window, const SchemaCatalogue& catalogue,
                                 QWidget* parent)
    : QWidget(parent)
    , window_(&window)
    , catalogue_(catalogue)
    , tables_(new QListWidget(this))
    , leftJoin_(new QCheckBox(QStringLiteral("LEFT JOIN"), this))
    , base_(new QComboBox(this))
    , filterOn_(new QCheckBox(QStringLiteral("Filter"), this))
    , filters_(new QComboBox(this))
    , load_(new QPushButton(QStringLiteral("Load to ClipData"), this)) {
    setWindowTitle(QStringLiteral("Load tables to ClipData"));
    tables_->setObjectName(QStringLiteral("lstT"));
    tables_->setSelectionMode(QAbstractItemView::MultiSelection);
    leftJoin_->setObjectName(QStringLiteral("chkLeftJoin"));
    base_->setObjectName(QStringLiteral("cmbLEFTJOIN"));
    filterOn_->setObjectName(QStringLiteral("chkFilterL"));
    filters_->setObjectName(QStringLiteral("cmbFILTERL"));
    load_->setObjectName(QStringLiteral("cmdLoad"));
    base_->setEnabled(false);
    filters_->setEnabled(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Tables"), this), 0, 0, 1, 2);
    layout->addWidget(tables_, 1, 0, 1, 2);
    layout->addWidget(leftJoin_, 2, 0);
    layout->addWidget(base_, 2, 1);
    layout->addWidget(filterOn_, 3, 0);
    layout->addWidget(filters_, 3, 1);
    layout->addWidget(load_, 4, 1);

    connect(tables_, &QListWidget::itemSelectionChanged, this, &TableLoaderView::selectionChanged);
    connect(leftJoin_, &QCheckBox::toggled, this, [this](bool on) {
        window_->setLeftJoin(on);
        fillBase();
    });
    connect(filterOn_, &QCheckBox::toggled, filters_, &QWidget::setEnabled);
    connect(load_, &QPushButton::clicked, this, &TableLoaderView::load);
    refresh();
}

void TableLoaderView::refresh() {
    const QStringList kept = window_->selected;
    {
        const QSignalBlocker block(tables_);
        tables_->clear();
        for (const QString& table : catalogue_.tableNames()) {
            auto* item = new QListWidgetItem(table, tables_);
            item->setSelected(kept.contains(table));
        }
    }
    const QString filter = filters_->currentText();
    filters_->clear();
    filters_->addItems(catalogue_.filters);
    filters_->setCurrentText(filter);
    selectionChanged();
}

void TableLoaderView::rebind(TableLoaderWindow& window) {
    window.selected = window_->selected;
    window.leftJoinBase = base_->currentText();
    window_ = &window;
    refresh();
}

void TableLoaderView::selectionChanged() {
    QStringList selected;
    for (int i = 0; i < tables_->count(); ++i)
        if (tables_->item(i)->isSelected())
            selected << tables_->item(i)->text();
    window_->selected = selected;
    // The base box offers the tables now selected, the first preselected.
    window_->setLeftJoin(leftJoin_->isChecked());
    fillBase();
}

void TableLoaderView::fillBase() {
    const QSignalBlocker block(base_);
    base_->clear();
    base_->addItems(window_->leftJoinChoices());
    base_->setCurrentText(window_->leftJoinBase);
    base_->setEnabled(window_->leftJoin());
}

bool TableLoaderView::load() {
    window_->leftJoinBase = base_->currentText();
    window_->filterOn = filterOn_->isChecked();
    window_->filter = filters_->currentText();
    if (!window_->load())
        return false;
    emit loaded();
    return true;
}
