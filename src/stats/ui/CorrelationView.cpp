#include "stats/ui/CorrelationView.h"

#include "platform/Sheet.h"
#include "stats/ui/CorrelationSheetModel.h"
#include "stats/ui/SheetPrinter.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

CorrelationView::CorrelationView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                                 StatisticsPickers::ClipData clipData, QWidget* parent)
    : QWidget(parent)
    , dialogs_(dialogs)
    , window_(session, dialogs, status)
    , pickers_(session, clipData)
    , table_(new QComboBox)
    , secondTable_(new QComboBox)
    , classTable_(new QComboBox)
    , classField_(new QComboBox)
    , clipData_(new QCheckBox(QStringLiteral("Use ClipData")))
    , useFilter_(new QCheckBox(QStringLiteral("Use Filter")))
    , filter_(new QComboBox)
    , tabs_(new QTabWidget)
    , menuBar_(new QMenuBar) {
    setWindowTitle(CorrelationWindow::caption());
    window_.setClipDataSource(clipData);
    table_->setObjectName(QStringLiteral("ComboT1"));
    secondTable_->setObjectName(QStringLiteral("ComboT2"));
    classTable_->setObjectName(QStringLiteral("ComboClassT"));
    classField_->setObjectName(QStringLiteral("ComboClassE"));
    filter_->setObjectName(QStringLiteral("cmbFILTER"));
    connect(classTable_, &QComboBox::currentTextChanged, this, [this] {
        StatisticsPickers::fill(classField_, pickers_.fields(classTable_->currentText(), false),
                                true);
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Statistics of Table"), table_);
    form->addRow(QStringLiteral("Second Table"), secondTable_);
    form->addRow(QStringLiteral("Classifier Table"), classTable_);
    form->addRow(QStringLiteral("Classifier Element"), classField_);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(useFilter_);
    auto* filterLabel = new QLabel(QStringLiteral("Filter:"));
    filterLabel->setObjectName(QStringLiteral("lblFilter"));
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);
    form->addRow(clipData_, filterRow);

    const auto copySheet = [this] {
        if (const auto text = window_.copySheet(tabs_->currentIndex()))
            QApplication::clipboard()->setText(*text);
    };
    const auto deleteField = [this] {
        if (window_.deleteField(currentPair(), currentField()))
            repaintSheets();
    };
    auto* executeButton = new QPushButton(QStringLiteral("&Execute"));
    executeButton->setObjectName(QStringLiteral("Command1"));
    connect(executeButton, &QPushButton::clicked, this, [this] { execute(); });
    auto* copyButton = new QPushButton(QStringLiteral("&Copy sheet"));
    copyButton->setObjectName(QStringLiteral("Command3"));
    connect(copyButton, &QPushButton::clicked, this, copySheet);
    auto* deleteButton = new QPushButton(QStringLiteral("&Del ColRow"));
    deleteButton->setObjectName(QStringLiteral("Command5"));
    connect(deleteButton, &QPushButton::clicked, this, deleteField);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(executeButton);
    buttons->addWidget(copyButton);
    buttons->addWidget(deleteButton);
    buttons->addStretch(1);

    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Print"), this, [this] {
        const Sheet* sheet = window_.sheets().sheetAt(tabs_->currentIndex() + 1);
        if (!sheet || sheet->isBlank())
            dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        else
            SheetPrinter::print(printer_, *sheet, tabs_->tabText(tabs_->currentIndex()), this);
    });
    file->addAction(QStringLiteral("Save..."), this, [this] {
        if (const auto path = dialogs_.saveFile(
                QStringLiteral("Save"),
                QStringLiteral("Excel workbook (*.xlsx)|*.xlsx|Quv workbook (*.qwb)|*.qwb"), {}))
            window_.save(*path);
    });
    file->addAction(QStringLiteral("Print Options..."), this, [this] {
        QPageSetupDialog setup(&printer_, this);
        setup.exec();
    });
    file->addAction(QStringLiteral("&Close"), this, [this] { window()->close(); });
    QMenu* edit = menuBar_->addMenu(QStringLiteral("Ed&it"));
    edit->addAction(QStringLiteral("&Copy"), this, [this] {
        if (auto* view = qobject_cast<QTableView*>(tabs_->currentWidget()))
            SheetTableModel::copySelection(*view);
    });
    edit->addAction(QStringLiteral("Copy &sheet with headers"), this, copySheet);
    edit->addAction(QStringLiteral("&Delete row and column"), this, deleteField);
    QMenu* tool = menuBar_->addMenu(QStringLiteral("&Tool"));
    tool->addAction(QStringLiteral("&Digits..."), this, [this] {
        if (window_.askDigits())
            repaintSheets();
    });
    tool->addAction(QStringLiteral("&Highlight..."), this, [this] {
        if (window_.askHighlight())
            repaintSheets();
    });
    minimumCount_ =
        tool->addAction(CorrelationWindow::minimumCountCaption(std::nullopt), this, [this] {
            minimumCount_->setText(window_.toggleMinimumCount());
            minimumCount_->setChecked(window_.minimumCount().has_value());
            repaintSheets();
        });
    minimumCount_->setCheckable(true);
    tool->addAction(QStringLiteral("&Delete empty rows and columns"), this, [this] {
        window_.deleteEmptyFields(currentPair());
        repaintSheets();
    });

    connect(menuBar_->addAction(QStringLiteral("Quv &Help")), &QAction::triggered, this, [this] {
        if (showHelp)
            showHelp();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(tabs_, 1);
    refreshLists();
}

void CorrelationView::refreshLists() {
    const QStringList tables = pickers_.tables();
    StatisticsPickers::fill(table_, tables);
    StatisticsPickers::fill(secondTable_, tables, true);
    StatisticsPickers::fill(classTable_, tables, true);
    StatisticsPickers::fill(filter_, pickers_.filters());
}

bool CorrelationView::execute() {
    window_.table = table_->currentText();
    window_.secondTable = secondTable_->currentText();
    window_.classTable = classTable_->currentText();
    window_.classField = classField_->currentText();
    window_.useClipData = clipData_->isChecked();
    window_.useFilter = useFilter_->isChecked() && !filter_->currentText().isEmpty();
    window_.filter = filter_->currentText();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = window_.execute();
    QApplication::restoreOverrideCursor();
    showSheets();
    return ok;
}

int CorrelationView::currentPair() const {
    return std::max(tabs_->currentIndex(), 0) / 2;
}

int CorrelationView::currentField() const {
    auto* view = qobject_cast<QTableView*>(tabs_->currentWidget());
    if (!view || !view->currentIndex().isValid())
        return 0;
    // Row 1 and column 1 are headings: the field is the cell's row, or its column on row 1.
    const QModelIndex at = view->currentIndex();
    return at.row() > 0 ? at.row() : at.column();
}

void CorrelationView::showSheets() {
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        page->deleteLater();
    }
    Workbook& sheets = window_.sheets();
    for (int s = 1; s <= sheets.sheetCount(); ++s) {
        auto* view = new QTableView;
        view->setModel(new CorrelationSheetModel(sheets.sheetAt(s), window_, s % 2 == 1, view));
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tabs_->addTab(view, sheets.sheetName(s));
    }
    repaintSheets();
}

// After a tool changed the sheets or the display settings.
void CorrelationView::repaintSheets() {
    for (int t = 0; t < tabs_->count(); ++t) {
        auto* view = qobject_cast<QTableView*>(tabs_->widget(t));
        const Sheet* sheet = window_.sheets().sheetAt(t + 1);
        if (!view || !sheet)
            continue;
        static_cast<SheetTableModel*>(view->model())->reset();
        for (int r = 0; r < view->model()->rowCount(); ++r)
            view->setRowHidden(r, r >= sheet->lastRow());
        for (int c = 0; c < view->model()->columnCount(); ++c)
            view->setColumnHidden(c, c >= sheet->lastColumn());
        view->resizeColumnsToContents();
    }
}
