#include "stats/ui/BoxPlotView.h"

#include "app/ui/DialogPlace.h"
#include "diagram/FigureFile.h"
#include "stats/ui/BoxWhiskerOptionsDialog.h"
#include "stats/ui/SheetDialog.h"
#include "stats/ui/StatisticsFigurePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

BoxPlotView::BoxPlotView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                         BoxWhiskerSettings& settings, StatisticsPickers::ClipData clipData,
                         QWidget* parent)
    : QWidget(parent)
    , dialogs_(dialogs)
    , settings_(settings)
    , window_(session, dialogs, status, settings)
    , pickers_(session, clipData)
    , statTable_(new QComboBox)
    , statField_(new QComboBox)
    , classTable_(new QComboBox)
    , classField_(new QComboBox)
    , filter_(new QComboBox)
    , clipData_(new QCheckBox(QStringLiteral("Use ClipData")))
    , useFilter_(new QCheckBox(QStringLiteral("Use filtered data")))
    , showFilter_(new QCheckBox(QStringLiteral("Show in graph")))
    , lower_(new QLineEdit)
    , upper_(new QLineEdit)
    , median_(new QRadioButton(QStringLiteral("Median")))
    , extremes_(new QCheckBox(QStringLiteral("Extremes")))
    , outliers_(new QCheckBox(QStringLiteral("Outliers")))
    , middle_(new QCheckBox(QStringLiteral("Middle")))
    , box_(new QCheckBox(QStringLiteral("Box")))
    , minMax_(new QCheckBox(QStringLiteral("Min and Max")))
    , log_(new QListWidget)
    , chart_(new StatisticsFigurePanel(dialogs))
    , menuBar_(new QMenuBar) {
    setWindowTitle(BoxPlotWindow::caption());
    window_.setClipDataSource(clipData);
    statTable_->setObjectName(QStringLiteral("ComboStatT"));
    statField_->setObjectName(QStringLiteral("ComboStatE"));
    classTable_->setObjectName(QStringLiteral("ComboClassT"));
    classField_->setObjectName(QStringLiteral("ComboClassE"));
    lower_->setObjectName(QStringLiteral("txtLowPerc"));
    upper_->setObjectName(QStringLiteral("txtUPerc"));
    log_->setObjectName(QStringLiteral("lstFigLog"));
    const auto refill = [this](QComboBox* table, QComboBox* field) {
        StatisticsPickers::fill(field,
                                pickers_.fields(table->currentText(), clipData_->isChecked()));
    };
    connect(statTable_, &QComboBox::currentTextChanged, this,
            [=, this] { refill(statTable_, statField_); });
    connect(classTable_, &QComboBox::currentTextChanged, this,
            [=, this] { refill(classTable_, classField_); });
    connect(clipData_, &QCheckBox::toggled, this, [=, this] {
        refill(statTable_, statField_);
        refill(classTable_, classField_);
    });

    auto* pickers = new QFormLayout;
    pickers->addRow(QStringLiteral("Statistics Table"), statTable_);
    pickers->addRow(QStringLiteral("Statistics Element"), statField_);
    pickers->addRow(QStringLiteral("Classifier Table"), classTable_);
    pickers->addRow(QStringLiteral("Classifier Element"), classField_);
    pickers->addRow(clipData_);
    pickers->addRow(useFilter_, filter_);
    pickers->addRow(showFilter_);

    auto* options = new QGroupBox(QStringLiteral("Options"));
    auto* optionsForm = new QFormLayout(options);
    lower_->setText(window_.lowerText);
    upper_->setText(window_.upperText);
    optionsForm->addRow(QStringLiteral("Lower percentile"), lower_);
    optionsForm->addRow(QStringLiteral("Upper percentile"), upper_);
    auto* average = new QRadioButton(QStringLiteral("Average"));
    median_->setChecked(true);
    auto* middleRow = new QHBoxLayout;
    middleRow->addWidget(median_);
    middleRow->addWidget(average);
    optionsForm->addRow(QStringLiteral("Middle"), middleRow);
    auto* show = new QHBoxLayout;
    for (QCheckBox* c : {extremes_, outliers_, middle_, box_, minMax_}) {
        c->setChecked(true);
        show->addWidget(c);
    }
    optionsForm->addRow(show);
    auto* orderRow = new QHBoxLayout;
    for (const auto& [caption, o] : {std::pair{"User", BoxPlotWindow::Order::User},
                                     std::pair{"Decr", BoxPlotWindow::Order::Decr},
                                     std::pair{"Incr", BoxPlotWindow::Order::Incr},
                                     std::pair{"A-Z", BoxPlotWindow::Order::AZ}}) {
        auto* button = new QRadioButton(QString::fromLatin1(caption));
        order_.emplace_back(button, o);
        orderRow->addWidget(button);
    }
    order_.front().first->setChecked(true);
    optionsForm->addRow(QStringLiteral("Order"), orderRow);

    auto* drawButton = new QPushButton(QStringLiteral("&Draw"));
    connect(drawButton, &QPushButton::clicked, this, [this] { draw(); });
    auto* statsButton = new QPushButton(QStringLiteral("&Statistics..."));
    connect(statsButton, &QPushButton::clicked, this, [this] { showStatistics(); });
    auto* optionsButton = new QPushButton(QStringLiteral("&Options <<"));
    connect(optionsButton, &QPushButton::clicked, this, [options, optionsButton] {
        options->setVisible(!options->isVisible());
        optionsButton->setText(options->isVisible() ? QStringLiteral("&Options <<")
                                                    : QStringLiteral("Options >>"));
    });
    connect(log_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (window_.drawFromLog(log_->row(item)))
            showFigure();
    });

    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Save"), this, [this] {
        if (const auto path = dialogs_.saveFile(QStringLiteral("Save"), FigureFile::fileFilter(),
                                                QStringLiteral("Box.akr"));
            path && !path->isEmpty())
            window_.saveGraphFile(*path);
    });
    file->addAction(QStringLiteral("Save &As"), this, [this] { chart_->saveAs(); });
    file->addAction(QStringLiteral("&Print"), this, [this] { chart_->print(); });
    file->addAction(QStringLiteral("&Close"), this, [this] { window()->close(); });
    QMenu* edit = menuBar_->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("&Copy"), this, [this] { chart_->copy(); });
    edit->addAction(QStringLiteral("Copy &Legend"), this, [this] { chart_->copyLegend(); });
    QMenu* optionsMenu = menuBar_->addMenu(QStringLiteral("O&ptions"));
    optionsMenu->addAction(QStringLiteral("&Box and Whisker"), this, [this] { showOptions(); });
    QAction* logAxis = optionsMenu->addAction(QStringLiteral("&Y Axis Is Logarhitmic"));
    logAxis->setCheckable(true);
    connect(logAxis, &QAction::toggled, this, [this](bool on) {
        window_.setLogarithmic(on);
        showFigure();
    });
    optionsMenu->addAction(QStringLiteral("Scale..."), this, [this] {
        window_.scale();
        showFigure();
    });
    optionsMenu->addAction(QStringLiteral("Chart Properties...."), this, [this] {
        if (window_.askChartProperties())
            showFigure();
    });
    optionsMenu->addAction(QStringLiteral("Statistics..."), this, [this] { showStatistics(); });

    auto* side = new QVBoxLayout;
    side->addLayout(pickers);
    side->addWidget(options);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {drawButton, statsButton, optionsButton})
        buttons->addWidget(b);
    side->addLayout(buttons);
    side->addWidget(log_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addLayout(side);
    layout->addWidget(chart_, 1);
    refreshLists();
}

void BoxPlotView::refreshLists() {
    const QStringList tables = pickers_.tables();
    StatisticsPickers::fill(statTable_, tables);
    StatisticsPickers::fill(classTable_, tables);
    StatisticsPickers::fill(filter_, pickers_.filters());
}

void BoxPlotView::setStatisticsTable(const QString& table) {
    statTable_->setCurrentText(table);
    classTable_->setCurrentText(table);
}

bool BoxPlotView::draw() {
    window_.statTable = statTable_->currentText();
    window_.statField = statField_->currentText();
    window_.classTable = classTable_->currentText();
    window_.classField = classField_->currentText();
    window_.useClipData = clipData_->isChecked();
    window_.useFilter = useFilter_->isChecked() && !filter_->currentText().isEmpty();
    window_.filter = filter_->currentText();
    window_.showFilter = showFilter_->isChecked();
    window_.lowerText = lower_->text();
    window_.upperText = upper_->text();
    window_.parts = {box_->isChecked(),      middle_->isChecked(), outliers_->isChecked(),
                     extremes_->isChecked(), minMax_->isChecked(), median_->isChecked()};
    for (const auto& [button, o] : order_)
        if (button->isChecked())
            window_.order = o;
    const bool ok = window_.draw();
    lower_->setText(window_.lowerText);
    upper_->setText(window_.upperText);
    log_->clear();
    log_->addItems(window_.figureLog());
    if (ok)
        showFigure();
    return ok;
}

void BoxPlotView::showController() {
    statTable_->setCurrentText(window_.statTable);
    statField_->setCurrentText(window_.statField);
    classTable_->setCurrentText(window_.classTable);
    classField_->setCurrentText(window_.classField);
    clipData_->setChecked(window_.useClipData);
    useFilter_->setChecked(window_.useFilter);
    filter_->setCurrentText(window_.filter);
    lower_->setText(window_.lowerText);
    upper_->setText(window_.upperText);
    for (const auto& [button, o] : order_)
        button->setChecked(o == window_.order);
    log_->clear();
    log_->addItems(window_.figureLog());
    showFigure();
}

void BoxPlotView::showFigure() {
    if (window_.hasFigure())
        chart_->show(window_.figure());
}

QWidget* BoxPlotView::showStatistics() {
    auto* dialog = new SheetDialog(QStringLiteral("Statistics"), window_.boxTable(), this);
    dialog->resize(900, 300);
    DialogPlace::restore(*dialog, geometry_, QStringLiteral("ShowStat"));
    connect(dialog, &QDialog::finished, this,
            [this, dialog] { DialogPlace::save(*dialog, geometry_, QStringLiteral("ShowStat")); });
    dialog->show();
    return dialog;
}

QWidget* BoxPlotView::showOptions() {
    auto* dialog = new BoxWhiskerOptionsDialog(settings_, window_.userOrder, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] {
        lower_->setText(QString::number(std::lround(settings_.lowerPercentile)));
        upper_->setText(QString::number(std::lround(settings_.upperPercentile)));
    });
    // A dialog-sized window: only its place is kept.
    DialogPlace::restore(*dialog, geometry_, QStringLiteral("BWDialog"), true);
    connect(dialog, &QDialog::finished, this, [this, dialog] {
        DialogPlace::save(*dialog, geometry_, QStringLiteral("BWDialog"), true);
    });
    dialog->show();
    return dialog;
}
