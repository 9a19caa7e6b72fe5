#include "stats/ui/TwoSampleTestView.h"

#include "platform/qt/SheetTableModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TwoSampleTestView::TwoSampleTestView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                                     StatisticsPickers::ClipData clipData, QWidget* parent)
    : QWidget(parent)
    , dialogs_(dialogs)
    , window_(session, dialogs, status)
    , pickers_(session, clipData)
    , xTable_(new QComboBox)
    , xField_(new QComboBox)
    , yTable_(new QComboBox)
    , yField_(new QComboBox)
    , classifier_(new QCheckBox(QStringLiteral("B Is Classifier")))
    , classA_(new QComboBox)
    , classB_(new QComboBox)
    , clipData_(new QCheckBox(QStringLiteral("Use ClipData")))
    , useQueries_(new QCheckBox(QStringLiteral("Check to use queries")))
    , useFilter_(new QCheckBox(QStringLiteral("Use Filter")))
    , filter_(new QComboBox)
    , table_(new QTableView)
    , menuBar_(new QMenuBar) {
    setWindowTitle(TwoSampleTestWindow::caption());
    window_.setClipDataSource(clipData);
    xTable_->setObjectName(QStringLiteral("cmbDTable"));
    xField_->setObjectName(QStringLiteral("cmbDField"));
    yTable_->setObjectName(QStringLiteral("cmbDTable2"));
    yField_->setObjectName(QStringLiteral("cmbDField2"));
    classifier_->setObjectName(QStringLiteral("chkClass"));
    classA_->setObjectName(QStringLiteral("cmbClassA"));
    classB_->setObjectName(QStringLiteral("cmbClassB"));
    filter_->setObjectName(QStringLiteral("cmbFILTER"));
    useQueries_->setObjectName(QStringLiteral("chkQ"));
    connect(useQueries_, &QCheckBox::toggled, this, [this] { refreshLists(); });
    const auto refillX = [this] {
        StatisticsPickers::fill(xField_,
                                pickers_.fields(xTable_->currentText(), clipData_->isChecked()));
    };
    const auto refillY = [this] {
        StatisticsPickers::fill(yField_,
                                pickers_.fields(yTable_->currentText(), clipData_->isChecked()));
    };
    connect(xTable_, &QComboBox::currentTextChanged, this, refillX);
    connect(yTable_, &QComboBox::currentTextChanged, this, refillY);
    connect(clipData_, &QCheckBox::toggled, this, refillX);
    connect(clipData_, &QCheckBox::toggled, this, refillY);
    const auto showClasses = [this](bool on) {
        classA_->setEnabled(on);
        classB_->setEnabled(on);
    };
    connect(classifier_, &QCheckBox::toggled, this, showClasses);
    showClasses(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("X Table"), xTable_);
    form->addRow(QStringLiteral("X Field"), xField_);
    form->addRow(QStringLiteral("Y Table"), yTable_);
    form->addRow(QStringLiteral("Y Field"), yField_);
    auto* classRow = new QHBoxLayout;
    classRow->addWidget(classA_, 1);
    classRow->addWidget(classB_, 1);
    form->addRow(classifier_, classRow);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(useFilter_);
    filterRow->addWidget(filter_, 1);
    form->addRow(clipData_, filterRow);
    form->addRow(QString(), useQueries_);

    auto* executeButton = new QPushButton(QStringLiteral("&Execute"));
    connect(executeButton, &QPushButton::clicked, this, [this] { execute(); });
    auto* close = new QPushButton(QStringLiteral("C&lose"));
    connect(close, &QPushButton::clicked, this, [this] { window()->close(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(executeButton);
    buttons->addStretch(1);
    buttons->addWidget(close);

    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Execute"), this, [this] { execute(); });
    file->addAction(QStringLiteral("&Close"), this, [this] { window()->close(); });
    QMenu* edit = menuBar_->addMenu(QStringLiteral("Ed&it"));
    edit->addAction(QStringLiteral("Copy &sheet"), this, [this] {
        if (window_.result().isBlank())
            dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        else
            QApplication::clipboard()->setText(window_.result().toTsv());
    });

    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(table_, 1);
    refreshLists();
}

void TwoSampleTestView::refreshLists() {
    QStringList tables = pickers_.tables();
    if (useQueries_->isChecked())
        tables << pickers_.queries();
    StatisticsPickers::fill(xTable_, tables);
    StatisticsPickers::fill(yTable_, tables);
    StatisticsPickers::fill(filter_, pickers_.filters());
}

bool TwoSampleTestView::execute() {
    window_.xTable = xTable_->currentText();
    window_.xField = xField_->currentText();
    window_.yTable = yTable_->currentText();
    window_.yField = yField_->currentText();
    window_.yIsClassifier = classifier_->isChecked();
    window_.classA = classA_->currentText();
    window_.classB = classB_->currentText();
    window_.useClipData = clipData_->isChecked();
    window_.useFilter = useFilter_->isChecked() && !filter_->currentText().isEmpty();
    window_.filter = filter_->currentText();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = window_.execute();
    QApplication::restoreOverrideCursor();
    if (window_.yIsClassifier) {
        // More than two classes: the person picks the two compared and runs again.
        StatisticsPickers::fill(classA_, window_.classes());
        StatisticsPickers::fill(classB_, window_.classes());
        if (classA_->currentText() == classB_->currentText() && classB_->count() > 1)
            classB_->setCurrentIndex(1);
    }
    showResult();
    return ok;
}

void TwoSampleTestView::showResult() {
    shown_ = window_.result();
    auto* old = table_->model();
    table_->setModel(new SheetTableModel(&shown_, table_));
    delete old;
    // Only the used range; a longer earlier result must not leave rows hidden.
    for (int r = 0; r < table_->model()->rowCount(); ++r)
        table_->setRowHidden(r, r >= shown_.lastRow());
    for (int c = 0; c < table_->model()->columnCount(); ++c)
        table_->setColumnHidden(c, c >= shown_.lastColumn());
    table_->setColumnWidth(0, 420);
}
