#include "stats/ui/DistributionView.h"

#include "figure/ChartPropertyQuestions.h"
#include "platform/CellValue.h"
#include "platform/NumberText.h"
#include "platform/qt/SheetTableModel.h"
#include "stats/ui/SheetDialog.h"
#include "stats/ui/StatisticsFigurePanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>
#include <memory>

namespace {
QString textOf(const std::optional<double>& v) {
    return v ? CellValue::formatNumber(*v) : QString();
}
} // namespace

DistributionView::DistributionView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                                   StatisticsPickers::ClipData clipData, QWidget* parent)
    : QWidget(parent)
    , dialogs_(dialogs)
    , window_(session, dialogs, status)
    , pickers_(session, clipData)
    , table_(new QComboBox)
    , field_(new QComboBox)
    , filter_(new QComboBox)
    , clipData_(new QCheckBox(QStringLiteral("Use ClipData")))
    , acceptNulls_(new QCheckBox(QStringLiteral("Accept Nulls")))
    , useFilter_(new QCheckBox(QStringLiteral("Use filter")))
    , manual_(new QCheckBox(QStringLiteral("Classes manually")))
    , cumulative_(new QCheckBox(QStringLiteral("Cumulative")))
    , caseSense_(new QCheckBox(QStringLiteral("Case sensitive")))
    , percent_(new QRadioButton(QStringLiteral("%")))
    , cumDown_(new QRadioButton(QStringLiteral("Down")))
    , labels_(new QCheckBox(QStringLiteral("Show")))
    , values_(new QCheckBox(QStringLiteral("Values")))
    , labelStatistic_(new QComboBox)
    , decimals_(new QComboBox)
    , min_(new QLineEdit)
    , max_(new QLineEdit)
    , minUsed_(new QLineEdit)
    , maxUsed_(new QLineEdit)
    , classes_(new QLineEdit)
    , range_(new QLineEdit)
    , maxClasses_(new QLineEdit)
    , classModel_(new SheetTableModel(&shownTable_, this))
    , classView_(new QTableView)
    , chart_(new StatisticsFigurePanel(dialogs))
    , menuBar_(new QMenuBar) {
    setWindowTitle(DistributionWindow::caption());
    window_.setClipDataSource(clipData);
    table_->setObjectName(QStringLiteral("Table"));
    field_->setObjectName(QStringLiteral("Column"));
    classView_->setObjectName(QStringLiteral("F1Groups"));
    classView_->setModel(classModel_);
    classView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    min_->setReadOnly(true);
    max_->setReadOnly(true);
    manual_->setToolTip(QStringLiteral("Classes manually. Click right mouse to set class borders"));
    const auto refill = [this] {
        StatisticsPickers::fill(field_,
                                pickers_.fields(table_->currentText(), clipData_->isChecked()));
    };
    connect(table_, &QComboBox::currentTextChanged, this, refill);
    connect(clipData_, &QCheckBox::toggled, this, refill);

    auto* pickers = new QFormLayout;
    pickers->addRow(QStringLiteral("Table"), table_);
    pickers->addRow(QStringLiteral("Column"), field_);
    pickers->addRow(clipData_, acceptNulls_);
    pickers->addRow(useFilter_, filter_);
    auto* nOrPercent = new QHBoxLayout;
    count_ = new QRadioButton(QStringLiteral("n"));
    count_->setChecked(true);
    nOrPercent->addWidget(count_);
    nOrPercent->addWidget(percent_);
    pickers->addRow(QStringLiteral("Y axis"), nOrPercent);
    auto* cumRow = new QHBoxLayout;
    cumUp_ = new QRadioButton(QStringLiteral("Up"));
    cumUp_->setChecked(true);
    cumRow->addWidget(cumulative_);
    cumRow->addWidget(cumUp_);
    cumRow->addWidget(cumDown_);
    pickers->addRow(cumRow);
    // "Field is:": how the values are read.
    auto* fieldRow = new QHBoxLayout;
    using Read = StatisticsComponent::DistributionRead;
    for (const auto& [caption, read] :
         {std::pair{"Forced to numerical", Read::Numbers}, std::pair{"Forced to text", Read::Texts},
          std::pair{"Any", Read::Any}}) {
        auto* button = new QRadioButton(QString::fromLatin1(caption));
        button->setChecked(read == window_.fieldIs);
        fieldIs_.emplace_back(button, read);
        fieldRow->addWidget(button);
    }
    fieldRow->addWidget(caseSense_);
    caseSense_->setObjectName(QStringLiteral("chkCaseSense"));
    clipData_->setObjectName(QStringLiteral("chkClipData"));
    pickers->addRow(QStringLiteral("Field is:"), fieldRow);
    // "Label (in italic):" over the bars.
    labels_->setObjectName(QStringLiteral("chkLabels"));
    values_->setObjectName(QStringLiteral("chkValues"));
    labelStatistic_->setObjectName(QStringLiteral("optLab"));
    decimals_->setObjectName(QStringLiteral("cmbDesim"));
    labelStatistic_->addItems({"Avg", "Min", "Max", "StDev", "Median"});
    for (int d = 0; d <= 6; ++d)
        decimals_->addItem(QString::number(d));
    decimals_->setCurrentText(QString::number(window_.chart.decimals));
    auto* labelRow = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{
             labels_, labelStatistic_, new QLabel(QStringLiteral("Decimals")), decimals_, values_})
        labelRow->addWidget(w);
    pickers->addRow(QStringLiteral("Label (in italic):"), labelRow);
    const auto relabel = [this] { chartChanged([](DistributionChart&) {}); };
    connect(labels_, &QCheckBox::toggled, this, relabel);
    connect(values_, &QCheckBox::toggled, this, relabel);
    connect(labelStatistic_, &QComboBox::currentTextChanged, this, relabel);
    connect(decimals_, &QComboBox::currentTextChanged, this, relabel);

    auto* panel = new QGroupBox(QStringLiteral("Classification data"));
    auto* panelForm = new QFormLayout(panel);
    auto* data = new QHBoxLayout;
    data->addWidget(min_);
    data->addWidget(max_);
    panelForm->addRow(QStringLiteral("Data: Min, Max"), data);
    auto* used = new QHBoxLayout;
    used->addWidget(minUsed_);
    used->addWidget(maxUsed_);
    panelForm->addRow(QStringLiteral("Min used, Max used"), used);
    panelForm->addRow(QStringLiteral("Classes:"), classes_);
    panelForm->addRow(QStringLiteral("Range of a single class"), range_);
    panelForm->addRow(QStringLiteral("Maximum number of classes"), maxClasses_);
    panelForm->addRow(manual_);

    auto* drawButton = new QPushButton(QStringLiteral("&Draw"));
    connect(drawButton, &QPushButton::clicked, this, [this] { draw(); });
    auto* regenerate = new QPushButton(QStringLiteral("Regenerate Classes"));
    connect(regenerate, &QPushButton::clicked, this, [this] {
        takeChoices();
        window_.regenerate();
        showState();
    });
    auto* refresh = new QPushButton(QStringLiteral("Refresh Distribution"));
    connect(refresh, &QPushButton::clicked, this, [this] {
        takeChoices();
        window_.refresh();
        showState();
    });
    auto* write = new QPushButton(QStringLiteral("Write in database >>"));
    connect(write, &QPushButton::clicked, this, [this] { window_.writeInDatabase(); });

    // The class table's menu, also on its right mouse button.
    auto* tableMenu = new QMenu(QStringLiteral("Classes"), this);
    const auto generator = [this](bool (DistributionWindow::*make)()) {
        return [this, make] {
            takeChoices();
            (window_.*make)();
            showState();
        };
    };
    tableMenu->addAction(QStringLiteral("Copy"), this, [this] {
        if (const auto text = window_.copyClassTable())
            QApplication::clipboard()->setText(*text);
    });
    tableMenu->addAction(QStringLiteral("Fill Ranges"), this, [this] {
        if (window_.fillRanges())
            window_.refresh();
        showState();
    });
    tableMenu->addAction(QStringLiteral("Equal Range by Range..."), this,
                         generator(&DistributionWindow::equalRangeByRange));
    tableMenu->addAction(QStringLiteral("Equal Range by Number of Classes..."), this,
                         generator(&DistributionWindow::equalRangeByCount));
    tableMenu->addAction(QStringLiteral("Log scale..."), this,
                         generator(&DistributionWindow::logScale));
    tableMenu->addAction(QStringLiteral("Delete Row"), this, [this] {
        window_.deleteRow(currentRow());
        showState();
    });
    tableMenu->addAction(QStringLiteral("Insert Row"), this, [this] {
        const int row = currentRow();
        window_.insertRow(row < 0 ? int(window_.classes().size()) : row);
        showState();
    });
    tableMenu->addAction(QStringLiteral("Clear"), this, [this] {
        window_.clearClasses();
        showState();
    });
    tableMenu->addAction(QStringLiteral("Redraw Graph"), this, [this] {
        takeChoices();
        window_.refresh();
        showState();
    });
    classView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(classView_, &QWidget::customContextMenuRequested, this,
            [this, tableMenu](const QPoint& at) { tableMenu->popup(classView_->mapToGlobal(at)); });

    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Save Classes"), this, [this] {
        if (const auto path = dialogs_.saveFile(QStringLiteral("Save Classes"),
                                                QStringLiteral("Quv Classes (*.txt)|*.txt"), {}))
            window_.saveClasses(*path);
    });
    file->addAction(QStringLiteral("Open Clasesses"), this, [this] {
        if (const auto path = dialogs_.openFile(QStringLiteral("Open Clasesses"),
                                                QStringLiteral("Text file (*.txt)|*.txt"), {})) {
            window_.openClasses(*path);
            showState();
        }
    });
    QAction* showTable = file->addAction(QStringLiteral("Show Table"));
    showTable->setCheckable(true);
    showTable->setChecked(true);
    connect(showTable, &QAction::toggled, classView_, &QWidget::setVisible);
    file->addAction(QStringLiteral("Save &As..."), this, [this] { chart_->saveAs(); });
    file->addAction(QStringLiteral("&Print"), this, [this] { chart_->print(); });
    file->addAction(QStringLiteral("&View data"), this, [this] { viewData(); });
    file->addAction(QStringLiteral("&Close"), this, [this] { window()->close(); });
    QMenu* edit = menuBar_->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("&Copy"), this, [this] { chart_->copy(); });
    edit->addAction(QStringLiteral("Copy &Table to Clipboard"), this, [this] {
        if (const auto text = window_.copyClassTable())
            QApplication::clipboard()->setText(*text);
    });
    // Typed classes: the class table shows and a new class is asked at its end and counted.
    edit->addAction(QStringLiteral("Define groups..."), this, [this, showTable] {
        showTable->setChecked(true);
        takeChoices();
        if (window_.insertRow(int(window_.classes().size())) && window_.hasFigure())
            window_.refresh(); // counted at once, as a generated table is
        showState();
    });
    menuBar_->addMenu(tableMenu);

    QMenu* labelsMenu = menuBar_->addMenu(QStringLiteral("X &Labels"));
    labelsMenu->addAction(QStringLiteral("Edit labels"), this, [this] {
        window_.editLabel(currentRow());
        showState();
    });
    QAction* onlyNumber = labelsMenu->addAction(QStringLiteral("Show only number"));
    onlyNumber->setCheckable(true);
    connect(onlyNumber, &QAction::toggled, this,
            [this](bool on) { chartChanged([on](DistributionChart& c) { c.onlyNumbers = on; }); });
    QAction* rotate = labelsMenu->addAction(QStringLiteral("Rotate labels"));
    rotate->setCheckable(true);
    connect(rotate, &QAction::toggled, this,
            [this](bool on) { chartChanged([on](DistributionChart& c) { c.rotateLabels = on; }); });
    QAction* every = labelsMenu->addAction(QStringLiteral("Show every nth label, n=1"));
    connect(every, &QAction::triggered, this, [this, every] {
        chartChanged([this](DistributionChart& c) { c.askLabelEvery(dialogs_); });
        every->setText(QStringLiteral("Show every nth label, n=") +
                       QString::number(window_.chart.labelEvery));
    });

    QMenu* chartMenu = menuBar_->addMenu(QStringLiteral("&Chart"));
    const auto toggle = [this, chartMenu](const QString& caption, bool DistributionChart::*flag) {
        QAction* a = chartMenu->addAction(caption);
        a->setCheckable(true);
        connect(a, &QAction::toggled, this, [this, flag](bool on) {
            chartChanged([flag, on](DistributionChart& c) { c.*flag = on; });
        });
    };
    const auto ask = [this, chartMenu](const QString& caption,
                                       bool (DistributionChart::*question)(Dialogs&)) {
        chartMenu->addAction(caption, this, [this, question] {
            chartChanged([this, question](DistributionChart& c) { (c.*question)(dialogs_); });
        });
    };
    toggle(QStringLiteral("&Show Grid"), &DistributionChart::showGrid);
    ask(QStringLiteral("&Bar Colour..."), &DistributionChart::askBarColor);
    ask(QStringLiteral("S&pace between Bars..."), &DistributionChart::askBarSpace);
    toggle(QStringLiteral("X Is &Reversed"), &DistributionChart::xReversed);
    ask(QStringLiteral("X &Scale"), &DistributionChart::askXScale);
    ask(QStringLiteral("X title options"), &DistributionChart::askXTitle);
    toggle(QStringLiteral("&Y Is Log"), &DistributionChart::yLogarithmic);
    ask(QStringLiteral("Y Scale"), &DistributionChart::askYScale);
    ask(QStringLiteral("&Headers..."), &DistributionChart::askHeader);
    // The renderer draws flat charts only; the item says so rather than doing nothing.
    QAction* threeD = chartMenu->addAction(QStringLiteral("3D View..."), this, [this] {
        dialogs_.message(MessageKind::Information, ChartPropertyQuestions::noThreeDimensions());
    });
    threeD->setToolTip(ChartPropertyQuestions::noThreeDimensions());
    const auto askLook = [this, chartMenu](const QString& caption,
                                           const std::function<bool(FigureLook&)>& question) {
        return chartMenu->addAction(caption, this, [this, question] {
            chartChanged([question](DistributionChart& c) { question(c.look); });
        });
    };
    askLook(QStringLiteral("Plot Area Options..."), [this](FigureLook& look) {
        return ChartPropertyQuestions::askArea(dialogs_, QStringLiteral("Plot Area Options"),
                                               look.plotArea);
    });
    askLook(QStringLiteral("Chart Area Options..."), [this](FigureLook& look) {
        return ChartPropertyQuestions::askArea(dialogs_, QStringLiteral("Chart Area Options"),
                                               look.chartArea);
    });
    // In the Chart menu rather than as a button: a button's Alt+F would clash with "&File".
    askLook(QStringLiteral("&Font..."),
            [this](FigureLook& look) { return ChartPropertyQuestions::askFont(dialogs_, look); });
    chartMenu->addAction(QStringLiteral("&Chart Properties"), this, [this] {
        chartChanged([this](DistributionChart& c) {
            ChartPropertyQuestions::askTitles(dialogs_, c.header, c.xTitle, c.yTitle);
        });
    });

    auto* buttons = new QGridLayout;
    buttons->addWidget(drawButton, 0, 0);
    buttons->addWidget(regenerate, 0, 1);
    buttons->addWidget(refresh, 1, 0);
    buttons->addWidget(write, 1, 1);
    auto* sidePanel = new QWidget;
    auto* side = new QVBoxLayout(sidePanel);
    side->setContentsMargins(0, 0, 0, 0);
    side->addLayout(pickers);
    side->addWidget(panel);
    side->addLayout(buttons);
    side->addWidget(classView_, 1);
    // The settings keep their width and full captions; the chart takes what is left.
    auto* layout = new QHBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addWidget(sidePanel, 0);
    layout->addWidget(chart_, 1);
    maxClasses_->setText(QString::number(window_.maxClasses));
    classes_->setText(window_.classesText);
    refreshLists();
    showState();
}

DistributionView::~DistributionView() {
    classView_->setModel(nullptr);
}

void DistributionView::refreshLists() {
    StatisticsPickers::fill(table_, pickers_.tables());
    StatisticsPickers::fill(filter_, pickers_.filters());
}

void DistributionView::setTable(const QString& table) {
    table_->setCurrentText(table);
}

int DistributionView::currentRow() const {
    const QModelIndex at = classView_->currentIndex();
    return at.isValid() ? at.row() - 1 : -1; // row 1 holds the headings
}

void DistributionView::takeChoices() {
    window_.table = table_->currentText();
    window_.field = field_->currentText();
    window_.useClipData = clipData_->isChecked();
    window_.acceptNulls = acceptNulls_->isChecked();
    window_.useFilter = useFilter_->isChecked() && !filter_->currentText().isEmpty();
    window_.filter = filter_->currentText();
    window_.manualClasses = manual_->isChecked();
    window_.chart.showPercent = percent_->isChecked();
    window_.chart.cumulative = cumulative_->isChecked();
    window_.chart.cumulativeUp = !cumDown_->isChecked();
    window_.caseSensitive = caseSense_->isChecked();
    for (const auto& [button, read] : fieldIs_)
        if (button->isChecked())
            window_.fieldIs = read;
    using Label = DistributionChart::BarLabel;
    static const Label statistics[] = {Label::Avg, Label::Min, Label::Max, Label::StDev,
                                       Label::Median};
    window_.chart.barLabel = values_->isChecked() ? Label::Count
                             : labels_->isChecked()
                                 ? statistics[std::clamp(labelStatistic_->currentIndex(), 0, 4)]
                                 : Label::None;
    window_.chart.decimals = decimals_->currentText().toInt();
    window_.minUsed = minUsed_->text();
    window_.maxUsed = maxUsed_->text();
    window_.classesText = classes_->text();
    window_.rangeText = range_->text();
    if (const auto n = NumberText::fromText(QStringView(maxClasses_->text())); n && *n >= 1)
        window_.maxClasses = int(std::min(*n, 100000.0));
}

void DistributionView::chartChanged(const std::function<void(DistributionChart&)>& change) {
    takeChoices();
    change(window_.chart);
    window_.redrawChart();
    showState();
}

void DistributionView::showController() {
    // The table first, unblocked: its change refills the columns.
    table_->setCurrentText(window_.table);
    // The rest must not hand half-shown choices back to the controller.
    std::vector<std::unique_ptr<QSignalBlocker>> blocked;
    for (QObject* o : findChildren<QWidget*>())
        blocked.push_back(std::make_unique<QSignalBlocker>(o));
    field_->setCurrentText(window_.field);
    filter_->setCurrentText(window_.filter);
    clipData_->setChecked(window_.useClipData);
    acceptNulls_->setChecked(window_.acceptNulls);
    useFilter_->setChecked(window_.useFilter);
    manual_->setChecked(window_.manualClasses);
    caseSense_->setChecked(window_.caseSensitive);
    const DistributionChart& c = window_.chart;
    (c.showPercent ? percent_ : count_)->setChecked(true);
    cumulative_->setChecked(c.cumulative);
    (c.cumulativeUp ? cumUp_ : cumDown_)->setChecked(true);
    for (const auto& [button, read] : fieldIs_)
        button->setChecked(read == window_.fieldIs);
    using Label = DistributionChart::BarLabel;
    values_->setChecked(c.barLabel == Label::Count);
    labels_->setChecked(c.barLabel != Label::None && c.barLabel != Label::Count);
    static const Label statistics[] = {Label::Avg, Label::Min, Label::Max, Label::StDev,
                                       Label::Median};
    for (int i = 0; i < 5; ++i)
        if (statistics[i] == c.barLabel)
            labelStatistic_->setCurrentIndex(i);
    decimals_->setCurrentText(QString::number(c.decimals));
    maxClasses_->setText(QString::number(window_.maxClasses));
    showState();
}

bool DistributionView::draw() {
    takeChoices();
    const bool ok = window_.draw();
    showState();
    return ok;
}

void DistributionView::showState() {
    min_->setText(textOf(window_.dataMin()));
    max_->setText(textOf(window_.dataMax()));
    minUsed_->setText(window_.minUsed);
    maxUsed_->setText(window_.maxUsed);
    classes_->setText(window_.classesText);
    range_->setText(window_.rangeText);
    manual_->setChecked(window_.manualClasses);
    shownTable_ = window_.classTable();
    classModel_->reset();
    for (int r = 0; r < classModel_->rowCount(); ++r)
        classView_->setRowHidden(r, r >= shownTable_.lastRow());
    if (window_.hasFigure())
        chart_->show(window_.figure());
}

QWidget* DistributionView::viewData() {
    auto* dialog = new SheetDialog(QStringLiteral("View data"), window_.dataSheet(), this);
    dialog->setObjectName(QStringLiteral("ViewData"));
    dialog->resize(420, 500);
    dialog->show();
    return dialog;
}
