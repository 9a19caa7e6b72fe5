#include "stats/model/ui/LinearModelView.h"

#include "platform/Dialogs.h"
#include "platform/qt/SheetTableModel.h"
#include "stats/ui/StatisticsFigurePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

LinearModelView::LinearModelView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                                 StatisticsPickers::ClipData clipData, QWidget* parent)
    : QWidget(parent)
    , dialogs_(dialogs)
    , window_(session, dialogs, status)
    , pickers_(session, std::move(clipData))
    , yTable_(new QComboBox)
    , yField_(new QComboBox)
    , xTable_(new QComboBox)
    , available_(new QListWidget)
    , items_(new QListWidget)
    , useAll_(new QCheckBox(QStringLiteral("Use all")))
    , fixedOrder_(new QCheckBox(QStringLiteral("Use the order given above")))
    , maxVars_(new QLineEdit(QString::number(window_.options.maxVars)))
    , rMin_(new QLineEdit(QStringLiteral("0.30")))
    , useFilter_(new QCheckBox(QStringLiteral("Use filter")))
    , filter_(new QComboBox)
    , queries_(new QCheckBox(QStringLiteral("Query")))
    , withoutTableName_(new QCheckBox(QStringLiteral("Without table name")))
    , tabs_(new QTabWidget)
    , chart_(new StatisticsFigurePanel(dialogs, this))
    , menuBar_(new QMenuBar) {
    setWindowTitle(LinearModelWindow::caption());
    yTable_->setObjectName(QStringLiteral("cmbYTable"));
    yField_->setObjectName(QStringLiteral("cmbYField"));
    xTable_->setObjectName(QStringLiteral("cmbXTable"));
    available_->setObjectName(QStringLiteral("lstAvailable"));
    items_->setObjectName(QStringLiteral("lstItems"));
    useAll_->setObjectName(QStringLiteral("chkUseAll"));
    fixedOrder_->setObjectName(QStringLiteral("chkFixedOrder"));
    maxVars_->setObjectName(QStringLiteral("txtMax"));
    maxVars_->setToolTip(QStringLiteral("Maximum number of variables used"));
    rMin_->setObjectName(QStringLiteral("txtRmin"));
    rMin_->setToolTip(QStringLiteral("Minimum R accepted"));
    queries_->setObjectName(QStringLiteral("chkQ"));
    connect(queries_, &QCheckBox::toggled, this, [this] { refreshLists(); });
    connect(yTable_, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        StatisticsPickers::fill(yField_, pickers_.fields(t, false));
    });
    connect(xTable_, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        available_->clear();
        available_->addItems(pickers_.fields(t, false));
    });
    const auto add = [this] {
        for (QListWidgetItem* i : available_->selectedItems())
            window_.addVariable({xTable_->currentText(), i->text()});
        showChoices();
    };
    connect(available_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* i) {
        window_.addVariable({xTable_->currentText(), i->text()});
        showChoices();
    });

    const auto button = [this](const QString& caption, auto slot) {
        auto* b = new QPushButton(caption);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Y Table"), yTable_);
    form->addRow(QStringLiteral("Y Field"), yField_);
    form->addRow(QStringLiteral("X Table"), xTable_);
    auto* lists = new QHBoxLayout;
    auto* availableColumn = new QVBoxLayout;
    availableColumn->addWidget(new QLabel(QStringLiteral("Availabe")));
    availableColumn->addWidget(available_);
    availableColumn->addWidget(button(QStringLiteral(">>"), add));
    auto* itemColumn = new QVBoxLayout;
    itemColumn->addWidget(new QLabel(QStringLiteral("Model parameters")));
    itemColumn->addWidget(items_);
    auto* itemTools = new QHBoxLayout;
    itemTools->addWidget(button(QStringLiteral("Del"), [this] {
        window_.deleteVariable(items_->currentRow());
        showChoices();
    }));
    itemTools->addWidget(button(QStringLiteral("Clear"), [this] {
        window_.clearVariables();
        showChoices();
    }));
    itemColumn->addLayout(itemTools);
    lists->addLayout(availableColumn);
    lists->addLayout(itemColumn);
    auto* options = new QFormLayout;
    options->addRow(useAll_);
    options->addRow(fixedOrder_);
    options->addRow(QStringLiteral("Max Vars"), maxVars_);
    options->addRow(QStringLiteral("Rmin"), rMin_);
    options->addRow(useFilter_, filter_);
    options->addRow(queries_);
    options->addRow(withoutTableName_);
    auto* actions = new QHBoxLayout;
    actions->addWidget(button(QStringLiteral("Create Model"), [this] { createModel(); }));
    actions->addWidget(button(QStringLiteral("Bar Chart>>"), [this] { showBarChart(); }));
    actions->addWidget(button(QStringLiteral("Line Chart>>"), [this] { showLineChart(); }));

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addLayout(lists);
    left->addLayout(options);
    left->addLayout(actions);
    auto* right = new QVBoxLayout;
    right->addWidget(tabs_, 1);
    right->addWidget(chart_, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right, 2);
    auto* outer = new QVBoxLayout(this);
    outer->setMenuBar(menuBar_);
    outer->addLayout(body);

    QMenu* model = menuBar_->addMenu(QStringLiteral("&Model"));
    model->addAction(QStringLiteral("Create Model (run)"), this, [this] { createModel(); });
    model->addAction(QStringLiteral("Recalculate and draw line chart"), this, [this] {
        if (createModel())
            showLineChart();
    });
    model->addAction(QStringLiteral("Open Model template"), this, [this] { openTemplate(); });
    model->addAction(QStringLiteral("Save Model template"), this, [this] { saveTemplate(); });
    model->addAction(QStringLiteral("&Close"), this, [this] { close(); });
    QMenu* edit = menuBar_->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("&Copy"), this, [this] { chart_->copy(); });
    edit->addAction(QStringLiteral("Save Chart &As"), this, [this] { chart_->saveAs(); });
    refreshLists();
}

void LinearModelView::refreshLists() {
    QStringList tables = pickers_.tables();
    if (queries_->isChecked())
        tables += pickers_.queries();
    StatisticsPickers::fill(yTable_, tables);
    StatisticsPickers::fill(xTable_, tables);
    StatisticsPickers::fill(filter_, pickers_.filters());
}

void LinearModelView::readChoices() {
    window_.item = {yTable_->currentText(), yField_->currentText()};
    window_.options.useAll = useAll_->isChecked();
    window_.options.fixedOrder = fixedOrder_->isChecked();
    window_.options.maxVars = maxVars_->text().toInt();
    window_.options.rMin = rMin_->text().toDouble();
    window_.useFilter = useFilter_->isChecked();
    window_.filter = filter_->currentText();
    window_.withoutTableName = withoutTableName_->isChecked();
}

void LinearModelView::showChoices() {
    items_->clear();
    for (const ModelVariable& v : window_.variables)
        items_->addItem(v.table + u'.' + v.field);
}

bool LinearModelView::createModel() {
    readChoices();
    if (!window_.createModel())
        return false;
    showBook();
    showBarChart();
    return true;
}

void LinearModelView::showBook() {
    // The tabs go before the copy of the book they show.
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        delete page;
    }
    shownBook_ = window_.book();
    for (int i = 1; i <= shownBook_.sheetCount(); ++i) {
        auto* view = new QTableView;
        view->setModel(new SheetTableModel(shownBook_.sheetAt(i), view));
        tabs_->addTab(view, shownBook_.sheetName(i));
        if (shownBook_.sheetName(i) == LinearModelWindow::modelSheet())
            connect(view, &QTableView::doubleClicked, this, [this] { showXyChart(); });
    }
}

void LinearModelView::showBarChart() {
    chart_->show(window_.barChart());
}

void LinearModelView::showLineChart() {
    chart_->show(window_.lineChart());
}

void LinearModelView::showXyChart() {
    chart_->show(window_.xyChart());
}

QString LinearModelView::templateFolder() const {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/data");
}

bool LinearModelView::openTemplate() {
    const auto path = dialogs_.openFile(QStringLiteral("Open Model template"),
                                        LinearModelWindow::templateFilter(), templateFolder());
    if (!path || !window_.openTemplate(*path))
        return false;
    yTable_->setCurrentText(window_.item.table);
    yField_->setCurrentText(window_.item.field);
    useAll_->setChecked(window_.options.useAll);
    fixedOrder_->setChecked(window_.options.fixedOrder);
    maxVars_->setText(QString::number(window_.options.maxVars));
    rMin_->setText(QString::number(window_.options.rMin));
    useFilter_->setChecked(window_.useFilter);
    filter_->setCurrentText(window_.filter);
    showChoices();
    return true;
}

bool LinearModelView::saveTemplate() {
    readChoices();
    const auto path = dialogs_.saveFile(QStringLiteral("Save Model template"),
                                        LinearModelWindow::templateFilter(), templateFolder());
    return path && window_.saveTemplate(*path);
}
