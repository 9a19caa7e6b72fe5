#include "stats/ui/DescriptiveStatisticsView.h"

#include "platform/qt/SheetTableModel.h"
#include "stats/ui/SheetPrinter.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

DescriptiveStatisticsView::DescriptiveStatisticsView(SessionDatabase& session, Dialogs& dialogs,
                                                     Status& status,
                                                     StatisticsPickers::ClipData clipData,
                                                     QWidget* parent)
    : QWidget(parent)
    , dialogs_(dialogs)
    , window_(session, dialogs, status)
    , pickers_(session, clipData)
    , table_(new QComboBox)
    , classTable_(new QComboBox)
    , classField_(new QComboBox)
    , clipData_(new QCheckBox(QStringLiteral("Use ClipData")))
    , useFilter_(new QCheckBox(QStringLiteral("Use Filter")))
    , filter_(new QComboBox)
    , weight_(new QComboBox)
    , tabs_(new QTabWidget)
    , menuBar_(new QMenuBar) {
    setWindowTitle(DescriptiveStatistics::caption());
    window_.setClipDataSource(clipData);
    table_->setObjectName(QStringLiteral("ComboStatT"));
    classTable_->setObjectName(QStringLiteral("ComboClassT"));
    classField_->setObjectName(QStringLiteral("ComboClassE"));
    weight_->setObjectName(QStringLiteral("cmbWgt"));
    filter_->setObjectName(QStringLiteral("cmbFILTER"));
    const auto refillFields = [this] {
        StatisticsPickers::fill(
            weight_, pickers_.fields(table_->currentText(), clipData_->isChecked()), true);
    };
    connect(table_, &QComboBox::currentTextChanged, this, refillFields);
    connect(classTable_, &QComboBox::currentTextChanged, this, [this] {
        StatisticsPickers::fill(classField_, pickers_.fields(classTable_->currentText(), false),
                                true);
    });
    connect(clipData_, &QCheckBox::toggled, this, refillFields);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Statistics of Table"), table_);
    form->addRow(QStringLiteral("Classifier Table"), classTable_);
    form->addRow(QStringLiteral("Classifier Element"), classField_);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(useFilter_);
    filterRow->addWidget(filter_, 1);
    form->addRow(clipData_, filterRow);
    form->addRow(QStringLiteral("Weighted"), weight_);

    auto* execute = new QPushButton(QStringLiteral("&Execute"));
    connect(execute, &QPushButton::clicked, this, [this] { this->execute(); });
    auto* copySheet = new QPushButton(QStringLiteral("&Copy sheet"));
    connect(copySheet, &QPushButton::clicked, this,
            [this] { copyText(window_.copySheet(tabs_->currentIndex())); });
    auto* close = new QPushButton(QStringLiteral("C&lose"));
    connect(close, &QPushButton::clicked, this, [this] { window()->close(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(execute);
    buttons->addWidget(copySheet);
    buttons->addStretch(1);
    buttons->addWidget(close);

    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Execute descriptive statistics"), this,
                    [this] { this->execute(); });
    file->addAction(QStringLiteral("Save &As..."), this, [this] {
        if (const auto path = dialogs_.saveFile(
                QStringLiteral("Save As"),
                QStringLiteral("Excel workbook (*.xlsx)|*.xlsx|Quv workbook (*.qwb)|*.qwb"), {}))
            window_.save(*path);
    });
    file->addAction(QStringLiteral("&Print"), this, [this] { print(); });
    file->addAction(QStringLiteral("&Close"), this, [this] { window()->close(); });
    QMenu* edit = menuBar_->addMenu(QStringLiteral("Ed&it"));
    edit->addAction(QStringLiteral("&Copy"), this, [this] {
        if (auto* view = qobject_cast<QTableView*>(tabs_->currentWidget()))
            SheetTableModel::copySelection(*view);
    });
    edit->addAction(QStringLiteral("Copy &sheet with headers"), this,
                    [this] { copyText(window_.copySheet(tabs_->currentIndex())); });
    edit->addAction(QStringLiteral("Copy &averages"), this,
                    [this] { copyText(window_.copyAverages()); });

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(tabs_, 1);
    refreshLists();
}

void DescriptiveStatisticsView::refreshLists() {
    const QStringList tables = pickers_.tables();
    StatisticsPickers::fill(table_, tables);
    StatisticsPickers::fill(classTable_, tables, true);
    StatisticsPickers::fill(filter_, pickers_.filters());
}

void DescriptiveStatisticsView::setTable(const QString& table) {
    table_->setCurrentText(table);
}

bool DescriptiveStatisticsView::execute() {
    window_.table = table_->currentText();
    window_.classTable = classTable_->currentText();
    window_.classField = classField_->currentText();
    window_.useClipData = clipData_->isChecked();
    window_.useFilter = useFilter_->isChecked() && !filter_->currentText().isEmpty();
    window_.filter = filter_->currentText();
    window_.weightField = weight_->currentText();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = window_.execute();
    QApplication::restoreOverrideCursor();
    showSheets();
    return ok;
}

void DescriptiveStatisticsView::showSheets() {
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        page->deleteLater();
    }
    Workbook& sheets = window_.sheets();
    for (int s = 1; s <= sheets.sheetCount(); ++s) {
        auto* view = new QTableView;
        auto* model = new SheetTableModel(sheets.sheetAt(s), view);
        view->setModel(model);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        for (int r = sheets.sheetAt(s)->lastRow(); r < model->rowCount(); ++r)
            view->setRowHidden(r, true);
        for (int c = sheets.sheetAt(s)->lastColumn(); c < model->columnCount(); ++c)
            view->setColumnHidden(c, true);
        tabs_->addTab(view, sheets.sheetName(s));
    }
}

void DescriptiveStatisticsView::print() {
    const Sheet* sheet = window_.sheets().sheetAt(tabs_->currentIndex() + 1);
    if (!sheet || sheet->isBlank()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        return;
    }
    QPrinter printer;
    SheetPrinter::print(printer, *sheet, tabs_->tabText(tabs_->currentIndex()), this);
}

void DescriptiveStatisticsView::copyText(const std::optional<QString>& text) {
    if (text)
        QApplication::clipboard()->setText(*text);
}
