#include "spider/ui/SpiderDefinitionView.h"

#include "db/SchemaCatalogue.h"
#include "platform/qt/ComboRefill.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

SpiderDefinitionView::SpiderDefinitionView(const SchemaCatalogue& catalogue, Dialogs& dialogs,
                                           SpiderDefinition::SystemOpener system,
                                           const SystemTables& names, QWidget* parent)
    : QWidget(parent)
    , definition_(dialogs, std::move(system), names)
    , tree_(new QTreeWidget(this))
    , elements_(new QListWidget(this))
    , name_(new QLineEdit(this))
    , sampleType_(new QComboBox(this))
    , sampleName_(new QLineEdit(this))
    , values_(new QTableWidget(0, 2, this)) {
    setWindowTitle(SpiderDefinition::caption());
    tree_->setHeaderHidden(true);
    tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const QString& table : catalogue.tableNames()) {
        auto* item = new QTreeWidgetItem(tree_, {table});
        for (const QString& field : catalogue.fieldNames(table))
            new QTreeWidgetItem(item, {field});
    }
    const auto button = [this](const QString& text, const std::function<void()>& action) {
        auto* b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    const auto changeList = [this](const std::function<void()>& change) {
        return [this, change] {
            change();
            showElements();
        };
    };

    auto* layout = new QHBoxLayout(this);
    auto* types = new QGroupBox(QStringLiteral("Add Spidergram"), this);
    auto* typeLayout = new QVBoxLayout(types);
    typeLayout->addWidget(new QLabel(QStringLiteral("Select table && element with space:")));
    auto* lists = new QHBoxLayout;
    lists->addWidget(tree_);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(button(QStringLiteral("Add"), [this] { addChosen(); }));
    buttons->addWidget(
        button(QStringLiteral("Empty"), changeList([this] { definition_.addEmpty(); })));
    buttons->addWidget(button(QStringLiteral("Del"),
                              changeList([this] { definition_.remove(elements_->currentRow()); })));
    buttons->addWidget(button(QStringLiteral("Up"), [this] {
        const int row = elements_->currentRow();
        if (definition_.move(row, -1)) {
            showElements();
            elements_->setCurrentRow(row - 1);
        }
    }));
    buttons->addWidget(button(QStringLiteral("Down"), [this] {
        const int row = elements_->currentRow();
        if (definition_.move(row, 1)) {
            showElements();
            elements_->setCurrentRow(row + 1);
        }
    }));
    buttons->addWidget(
        button(QStringLiteral("Clear"), changeList([this] { definition_.clear(); })));
    buttons->addStretch();
    lists->addLayout(buttons);
    lists->addWidget(elements_);
    typeLayout->addLayout(lists, 1);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Spidergram name:")));
    nameRow->addWidget(name_);
    QPushButton* ok = button(QStringLiteral("&OK"), [this] { save(); });
    ok->setToolTip(QStringLiteral("Add to database and close"));
    nameRow->addWidget(ok);
    typeLayout->addLayout(nameRow);
    layout->addWidget(types, 3);

    auto* samples = new QGroupBox(QStringLiteral("Add normalization samples to database"), this);
    auto* sampleLayout = new QVBoxLayout(samples);
    sampleLayout->addWidget(new QLabel(QStringLiteral("Select spider-normalization pair.")));
    sampleLayout->addWidget(sampleType_);
    sampleLayout->addWidget(sampleName_);
    values_->setHorizontalHeaderLabels({QStringLiteral("Element"), QStringLiteral("Value")});
    values_->horizontalHeader()->setStretchLastSection(true);
    sampleLayout->addWidget(values_, 1);
    auto* sampleButtons = new QHBoxLayout;
    sampleButtons->addWidget(button(QStringLiteral("Save sample"), [this] { saveSample(); }));
    sampleButtons->addWidget(button(QStringLiteral("&Clear"), [this] {
        if (definition_.clearSamples(sampleType_->currentText()) && libraryChanged)
            libraryChanged();
    }));
    sampleLayout->addLayout(sampleButtons);
    layout->addWidget(samples, 2);
    connect(sampleType_, &QComboBox::currentTextChanged, this, [this] { showValueBoxes(); });
    fillSampleTypes();
}

void SpiderDefinitionView::addChosen() {
    for (const QTreeWidgetItem* item : tree_->selectedItems())
        if (item->parent())
            definition_.add(item->parent()->text(0), item->text(0));
    showElements();
}

void SpiderDefinitionView::showElements() {
    elements_->clear();
    elements_->addItems(definition_.elements());
}

bool SpiderDefinitionView::save() {
    if (!definition_.saveType(name_->text()))
        return false;
    fillSampleTypes();
    if (libraryChanged)
        libraryChanged();
    return true;
}

void SpiderDefinitionView::fillSampleTypes() {
    refillKeepingChoice(sampleType_, definition_.spiderTypes());
    showValueBoxes();
}

void SpiderDefinitionView::showValueBoxes() {
    const auto type = definition_.spiderType(sampleType_->currentText());
    const QStringList elements = type ? type->elements : QStringList();
    values_->setRowCount(int(elements.size()));
    for (int i = 0; i < elements.size(); ++i) {
        auto* element = new QTableWidgetItem(elements[i]);
        element->setFlags(element->flags() & ~Qt::ItemIsEditable);
        values_->setItem(i, 0, element);
        values_->setItem(i, 1, new QTableWidgetItem(NormalizationSample::emptyValue()));
    }
}

bool SpiderDefinitionView::saveSample() {
    QStringList values;
    for (int i = 0; i < values_->rowCount(); ++i)
        values << (values_->item(i, 1) ? values_->item(i, 1)->text() : QString());
    if (!definition_.saveSample(sampleType_->currentText(), sampleName_->text(), values))
        return false;
    if (libraryChanged)
        libraryChanged();
    return true;
}
