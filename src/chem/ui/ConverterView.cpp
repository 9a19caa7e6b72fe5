#include "chem/ui/ConverterView.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QString line(const CompositionLine& l) {
    return l.name + QStringLiteral(" ") + QString::number(l.weightPercent, 'f', 3) +
           QStringLiteral(" %");
}
} // namespace

ConverterView::ConverterView(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , converter_(dialogs)
    , minerals_(new QComboBox(this))
    , formula_(new QComboBox(this))
    , mode_(new QLineEdit(this))
    , up_(new QToolButton(this))
    , down_(new QToolButton(this))
    , pages_(new QStackedWidget(this))
    , elements_(new QComboBox(this))
    , oxides_(new QComboBox(this))
    , text_(new QPlainTextEdit(this))
    , table_(new QTableWidget(this)) {
    setWindowTitle(ConverterWindow::caption());
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    QAction* copy = bar->addAction(QStringLiteral("&Copy result"));
    connect(copy, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(converter_.resultText()); });
    QAction* help = bar->addAction(QStringLiteral("Quv &Help"));
    connect(help, &QAction::triggered, this, [this] {
        if (showHelp)
            showHelp();
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Mineral"), minerals_);
    formula_->setEditable(true);
    formula_->setInsertPolicy(QComboBox::InsertAtTop);
    form->addRow(QStringLiteral("Formula"), formula_);
    auto* modeRow = new QHBoxLayout;
    mode_->setReadOnly(true);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    modeRow->addWidget(mode_);
    modeRow->addWidget(up_);
    modeRow->addWidget(down_);
    form->addRow(QStringLiteral("Formstyle"), modeRow);
    layout->addLayout(form);
    auto* calc = new QPushButton(QStringLiteral("Calculate"), this);
    layout->addWidget(calc);

    auto* combos = new QWidget(this);
    auto* comboForm = new QFormLayout(combos);
    comboForm->addRow(QStringLiteral("Elements"), elements_);
    comboForm->addRow(QStringLiteral("Oxides"), oxides_);
    text_->setReadOnly(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    pages_->addWidget(combos);
    pages_->addWidget(text_);
    pages_->addWidget(table_);
    layout->addWidget(pages_, 1);

    connect(minerals_, &QComboBox::activated, this, [this](int index) {
        if (converter_.chooseMineral(minerals_->itemText(index))) {
            formula_->setCurrentText(converter_.formula());
            showResult();
        }
    });
    connect(formula_->lineEdit(), &QLineEdit::returnPressed, this, [this] { calculate(); });
    connect(calc, &QPushButton::clicked, this, [this] { calculate(); });
    connect(up_, &QToolButton::clicked, this, [this] { stepLayout(true); });
    connect(down_, &QToolButton::clicked, this, [this] { stepLayout(false); });
    showResult();
}

void ConverterView::openLibrary(const QString& database, const QString& table,
                                const QString& userFolder) {
    converter_.openLibrary(database, table, userFolder);
    minerals_->clear();
    minerals_->addItems(converter_.minerals());
    minerals_->setCurrentIndex(-1);
}

void ConverterView::calculate() {
    converter_.setFormula(formula_->currentText());
    converter_.calculate();
    showResult();
}

void ConverterView::stepLayout(bool up) {
    converter_.stepLayout(up);
    showResult();
}

void ConverterView::showResult() {
    mode_->setText(ConverterWindow::layoutName(converter_.layout()));
    pages_->setCurrentIndex(int(converter_.layout()) - 1);
    elements_->clear();
    oxides_->clear();
    text_->clear();
    table_->clear();
    table_->setRowCount(0);
    const auto& result = converter_.result();
    if (!result)
        return;
    for (const CompositionLine& l : result->elements)
        elements_->addItem(line(l));
    elements_->addItem(QStringLiteral("Sum ") + QString::number(result->elementSum, 'f', 3) +
                       QStringLiteral(" %"));
    for (const CompositionLine& l : result->oxides)
        oxides_->addItem(line(l));
    oxides_->addItem(QStringLiteral("Sum ") + QString::number(result->oxideSum, 'f', 3) +
                     QStringLiteral(" %"));
    text_->setPlainText(converter_.resultText());
    // The table shows the same rows the tab-separated result holds.
    const ConverterWindow::Layout shown = converter_.layout();
    const QStringList rows = shown == ConverterWindow::Layout::Text
                                 ? QStringList()
                                 : converter_.resultText().split(QLatin1Char('\n'));
    if (!rows.isEmpty()) {
        table_->setColumnCount(4);
        table_->setHorizontalHeaderLabels(rows.front().split(QLatin1Char('\t')));
        table_->setRowCount(int(rows.size()) - 1);
        for (int r = 1; r < rows.size(); ++r) {
            const QStringList cells = rows[r].split(QLatin1Char('\t'));
            for (int c = 0; c < cells.size() && c < 4; ++c)
                table_->setItem(r - 1, c, new QTableWidgetItem(cells[c]));
        }
    }
}
