#include "app/ui/SampleBrowserPanel.h"

#include "app/SampleBrowser.h"
#include "db/SchemaCatalogue.h"

#include "platform/qt/ComboRefill.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

SampleBrowserPanel::SampleBrowserPanel(SampleBrowser& browser, const SchemaCatalogue& catalogue,
                                       QWidget* parent)
    : QWidget(parent)
    , browser_(browser)
    , catalogue_(catalogue)
    , tables_(new QComboBox)
    , fields_(new QComboBox)
    , value_(new QLineEdit)
    , always_(new QCheckBox(QStringLiteral("Always from this table")))
    , grid_(new QTableWidget(0, 2))
    , panel_(new QLabel) {
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Table:"), tables_);
    form->addRow(QStringLiteral("Field:"), fields_);
    form->addRow(QStringLiteral("Value:"), value_);
    auto* retrieveButton = new QPushButton(QStringLiteral("&Retrieve"));
    retrieveButton->setDefault(true);

    grid_->horizontalHeader()->setVisible(false);
    grid_->verticalHeader()->setVisible(false);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto addMenuItem = [this](const QString& text, auto slot) {
        auto* a = new QAction(text, grid_);
        connect(a, &QAction::triggered, this, slot);
        grid_->addAction(a);
    };
    addMenuItem(QStringLiteral("Update Database"), [this] { updateDatabase(); });
    addMenuItem(QStringLiteral("Delete record"), [this] { deleteRecord(); });
    addMenuItem(QStringLiteral("Copy"), [this] { copy(false); });
    addMenuItem(QStringLiteral("Copy All"), [this] { copy(true); });
    addMenuItem(QStringLiteral("Find..."), [this] { showFound(browser_.find()); });
    addMenuItem(QStringLiteral("Show Next in the Find Buffer"),
                [this] { showFound(browser_.showNextFound()); });
    addMenuItem(QStringLiteral("Show Previous in the Find Buffer"),
                [this] { showFound(browser_.showPreviousFound()); });
    addMenuItem(QStringLiteral("Hide"), [this] { hide(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(always_);
    layout->addWidget(retrieveButton);
    layout->addWidget(grid_, 1);
    layout->addWidget(panel_);

    connect(tables_, &QComboBox::currentTextChanged, this, [this] { fillFields(); });
    connect(retrieveButton, &QPushButton::clicked, this, &SampleBrowserPanel::retrieve);
    connect(value_, &QLineEdit::returnPressed, this, &SampleBrowserPanel::retrieve);
    refreshLists();
}

void SampleBrowserPanel::refreshLists() {
    refillKeepingChoice(tables_, catalogue_.tableNames());
    fillFields();
}

void SampleBrowserPanel::fillFields() {
    refillKeepingChoice(fields_, catalogue_.fieldNames(tables_->currentText()));
}

void SampleBrowserPanel::takeInput() {
    browser_.table = tables_->currentText();
    browser_.field = fields_->currentText();
    browser_.value = value_->text();
    browser_.alwaysFromThisTable = always_->isChecked();
}

void SampleBrowserPanel::retrieve() {
    takeInput();
    browser_.MainNayteTieto();
    showRecord();
}

void SampleBrowserPanel::updateDatabase() {
    takeInput();
    readRecord();
    browser_.updateDatabase();
}

void SampleBrowserPanel::deleteRecord() {
    takeInput();
    if (browser_.deleteRecord())
        grid_->setRowCount(0);
}

void SampleBrowserPanel::showRecord() {
    const Sheet& record = browser_.record;
    grid_->setRowCount(record.lastRow());
    for (int r = 1; r <= record.lastRow(); ++r) {
        auto* name = new QTableWidgetItem(record.text(r, 1));
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        grid_->setItem(r - 1, 0, name);
        grid_->setItem(r - 1, 1, new QTableWidgetItem(record.text(r, 2)));
    }
    grid_->resizeColumnToContents(0);
    panel_->setText(browser_.panelText());
}

void SampleBrowserPanel::readRecord() {
    for (int r = 0; r < grid_->rowCount(); ++r)
        if (const QTableWidgetItem* value = grid_->item(r, 1))
            browser_.record.setText(r + 1, 2, value->text());
}

void SampleBrowserPanel::copy(bool all) {
    readRecord();
    const Sheet& record = browser_.record;
    QString text;
    if (all) {
        text = record.toTsv();
    } else {
        const int r = grid_->currentRow() + 1;
        if (r >= 1)
            text = record.toTsv(r, 1, r, 2);
    }
    QApplication::clipboard()->setText(text);
}

void SampleBrowserPanel::showFound(int row) {
    if (row > 0 && row <= grid_->rowCount())
        grid_->setCurrentCell(row - 1, 1);
}
