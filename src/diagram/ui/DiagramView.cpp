#include "diagram/ui/DiagramView.h"

#include "db/SessionDatabase.h"
#include "diagram/ChartTemplate.h"
#include "diagram/FigureFile.h"
#include "diagram/ui/DiagramAxisMenu.h"
#include "diagram/ui/DiagramCalcControls.h"
#include "diagram/ui/DiagramEditMenus.h"
#include "diagram/ui/DiagramObjectMenus.h"
#include "diagram/ui/DiagramOptionsMenu.h"
#include "diagram/ui/DiagramStyleMenu.h"
#include "diagram/ui/FigureStatisticsDialog.h"
#include "diagram/ui/SeriesBlinker.h"
#include "diagram/ui/StyleEditorView.h"
#include "diagram/ui/ZoomPanOverview.h"
#include "figure/ui/FigureExporter.h"
#include "figure/ui/FigurePlot.h"
#include "filter/FilterCombiner.h"
#include "filter/ui/CombinedFilterPanel.h"
#include "platform/JetSqlQuoting.h"
#include "platform/Status.h"
#include "platform/qt/ComboRefill.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <qcustomplot.h>

namespace {
using D = DiagramDefinition;
} // namespace

DiagramView::DiagramView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                         Folders folders, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , dialogs_(dialogs)
    , status_(status)
    , folders_(std::move(folders))
    , window_(session, dialogs, status) {
    window_.graphsFolder = folders_.userFolder + QStringLiteral("/Graphs");
    setWindowTitle(DiagramWindow::caption());
    auto* boxes = new QGridLayout;
    graphType_ = new QComboBox(this);
    graphType_->addItems(DiagramDefinition::graphTypes());
    boxes->addWidget(new QLabel(QStringLiteral("Graph type"), this), 0, 0);
    boxes->addWidget(graphType_, 0, 1, 1, 2);
    const QStringList rows{QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z"),
                           QStringLiteral("Classifier from Table")};
    for (int slot = 0; slot < 4; ++slot) {
        auto* label = new QLabel(rows[slot], this);
        if (slot < 3)
            axisLabels_[size_t(slot)] = label;
        tables_[size_t(slot)] = new QComboBox(this);
        fields_[size_t(slot)] = new QComboBox(this);
        tables_[size_t(slot)]->setEditable(true);
        fields_[size_t(slot)]->setEditable(true);
        const QStringList slotNames{"x", "y", "z", "class"};
        tables_[size_t(slot)]->setObjectName(slotNames[slot] + QStringLiteral("Table"));
        fields_[size_t(slot)]->setObjectName(slotNames[slot] + QStringLiteral("Field"));
        if (slot == D::Class) {
            // A click on the caption clears the classifier.
            label->setText(QStringLiteral("<a href=\"clear\">%1</a>").arg(rows[slot]));
            label->setToolTip(QStringLiteral("Click here to clear classifier"));
            connect(label, &QLabel::linkActivated, this, [this] {
                tables_[D::Class]->setCurrentText(QString());
                fields_[D::Class]->setCurrentText(QString());
            });
        }
        boxes->addWidget(label, slot + 1, 0);
        boxes->addWidget(tables_[size_t(slot)], slot + 1, 1);
        boxes->addWidget(fields_[size_t(slot)], slot + 1, 2);
        connect(tables_[size_t(slot)], &QComboBox::currentTextChanged, this,
                [this, slot] { fillFields(slot); });
    }
    calc_ = new DiagramCalcControls(window_, session_.catalogue(),
                                    {tables_[D::X], tables_[D::Y], tables_[D::Z]},
                                    {fields_[D::X], fields_[D::Y], fields_[D::Z]}, this);
    boxes->addWidget(calc_->check(), 0, 3);
    for (int slot = 0; slot < 3; ++slot)
        boxes->addWidget(calc_->label(slot), slot + 1, 3);
    tables_[D::Class]->setToolTip(QStringLiteral("Table from where classifier element is taken"));
    fields_[D::Class]->setToolTip(
        QStringLiteral("Element that is used as classifier in graph (i.e. according to which "
                       "samples get different plot marks)"));
    filterOn_ = new QCheckBox(QStringLiteral("Filter"), this);
    filter_ = new QComboBox(this);
    boxes->addWidget(filterOn_, 5, 0);
    boxes->addWidget(filter_, 5, 1, 1, 2);
    connectingLine_ = new QCheckBox(QStringLiteral("Connecting line"), this);
    labels_ = new QCheckBox(QStringLiteral("Draw Labels"), this);
    auto* queries = new QCheckBox(QStringLiteral("Queries"), this);
    queries->setToolTip(QStringLiteral("Check to use queries"));
    connect(queries, &QCheckBox::toggled, this, [this](bool on) {
        window_.useQueries = on;
        refreshLists();
    });
    boxes->addWidget(queries, 6, 0);
    boxes->addWidget(connectingLine_, 6, 1);
    boxes->addWidget(labels_, 6, 2);
    boxes->addWidget(buildMultiSetFrame(), 7, 0, 1, 3);
    auto* drawButton = new QPushButton(QStringLiteral("Draw"), this);
    drawButton->setDefault(true);
    boxes->addWidget(drawButton, 8, 1, 1, 2);
    connect(drawButton, &QPushButton::clicked, this, [this] { draw(); });
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this,
            [this] { draw(); });
    // Return draws once the definition is complete; before that it moves on to the next box.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, [this] {
            takeInput();
            if (window_.definition.isComplete())
                draw();
            else
                focusNextChild();
        });
    connect(graphType_, &QComboBox::currentTextChanged, this, &DiagramView::graphTypeChosen);

    log_ = new QListWidget(this);
    log_->setToolTip(
        QStringLiteral("Double click to see the figure. Right mouese empties this list"));
    log_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(log_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        window_.drawFromLog(log_->row(item));
        showInput();
        showFigure();
    });
    connect(log_, &QListWidget::customContextMenuRequested, this, [this] {
        window_.clearLog();
        log_->clear();
    });
    auto* side = new QWidget(this);
    side_ = side;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->addLayout(boxes);
    sideLayout->addWidget(log_, 1);
    axisMenu_ = new DiagramAxisMenu(
        window_, [this] { showFigure(); }, this);
    optionsMenu_ = new DiagramOptionsMenu(
        window_, [this] { takeInput(); }, [this] { showFigure(); }, this);
    sideLayout->addWidget(axisMenu_->note());
    overview_ = new ZoomPanOverview(side);
    overview_->hide();
    sideLayout->addWidget(overview_);
    connect(overview_, &ZoomPanOverview::partChosen, this, [this](AxisWindow x, AxisWindow y) {
        window_.showPart(x, y);
        showFigure();
    });

    plot_ = new QCustomPlot(this);
    plot_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* drawAction = new QAction(QStringLiteral("&Draw"), plot_);
    connect(drawAction, &QAction::triggered, this, [this] { draw(); });
    auto* previousAction = new QAction(QStringLiteral("Draw &previous"), plot_);
    connect(previousAction, &QAction::triggered, this, &DiagramView::drawPrevious);
    plot_->addActions({drawAction, previousAction});
    connect(plot_, &QCustomPlot::mouseWheel, overview_, [this](QWheelEvent* e) {
        const QPointF at(plot_->xAxis->pixelToCoord(e->position().x()),
                         plot_->yAxis->pixelToCoord(e->position().y()));
        overview_->wheel(e->angleDelta().y(), at);
    });
    window_.setPlotAreaMeter([this](const Figure& figure) {
        return FigurePlot::automaticPlotArea(figure, plot_->size());
    });
    auto* splitter = new QSplitter(this);
    splitter->addWidget(side);
    splitter->addWidget(plot_);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildMenus();
    // The boxes and the chart take all the height the window gains; the status bar keeps its own.
    layout->addWidget(splitter, 1);
    layout->addWidget(buildStatusBar(side));
    refreshLists();
    graphTypeChosen(graphType_->currentText());
}

void DiagramView::graphTypeChosen(const QString& type) {
    D d;
    d.graphType = type;
    const QStringList captions = d.axisCaptions();
    for (int i = 0; i < 3; ++i)
        axisLabels_[size_t(i)]->setText(captions[i]);
    const bool usesZ = D::typeUsesZ(type);
    for (QWidget* w : std::initializer_list<QWidget*>{axisLabels_[D::Z], tables_[D::Z],
                                                      fields_[D::Z], calc_->label(D::Z)})
        w->setVisible(usesZ);
    multiFrame_->setVisible(d.isMultiSet());
    cumulative_->setText(type == QLatin1String("Stacking bar") ? QStringLiteral("Y Is 100%")
                                                               : QStringLiteral("Cumulative"));
    window_.loadTemplateFor(type, {folders_.userFolder + QStringLiteral("/ini"),
                                   folders_.programFolder + QStringLiteral("/ini")});
}

QStatusBar* DiagramView::buildStatusBar(QWidget* buttons) {
    auto* bar = new QStatusBar(this);
    bar->setSizeGripEnabled(false);
    source_ = new QLabel(QStringLiteral("DB"), bar);
    // Panels that toggle on a click.
    const auto panel = [bar](const QString& text) {
        auto* b = new QPushButton(text, bar);
        b->setFlat(true);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    QPushButton* filter = panel(QStringLiteral("Filter=OFF"));
    connect(filter, &QPushButton::clicked, filterOn_, &QCheckBox::toggle);
    connect(filterOn_, &QCheckBox::toggled, filter, [filter](bool on) {
        filter->setText(on ? QStringLiteral("Filter=ON") : QStringLiteral("Filter=OFF"));
    });
    QPushButton* shown = panel(QStringLiteral("Buttons=VISIBLE"));
    statusPanelButtons_ = shown;
    connect(shown, &QPushButton::clicked, this, [shown, buttons] {
        buttons->setVisible(!buttons->isVisible());
        shown->setText(buttons->isVisible() ? QStringLiteral("Buttons=VISIBLE")
                                            : QStringLiteral("Buttons=HIDDEN"));
    });
    QPushButton* blink = panel(QStringLiteral("BLINK=OFF"));
    blink->setToolTip(QStringLiteral("While on, the series clicked in the chart or legend blinks"));
    blinker_ = new SeriesBlinker(*plot_);
    connect(blink, &QPushButton::clicked, this, [this, blink] {
        blinker_->setOn(!blinker_->isOn());
        blink->setText(blinker_->isOn() ? QStringLiteral("BLINK=ON") : QStringLiteral("BLINK=OFF"));
    });
    auto* coordinates = new QLabel(QStringLiteral("COORD"), bar);
    connect(plot_, &QCustomPlot::mouseMove, coordinates, [this, coordinates](QMouseEvent* e) {
        const QPointF at = e->position();
        coordinates->setText(QStringLiteral("X=%1 Y=%2")
                                 .arg(plot_->xAxis->pixelToCoord(at.x()), 0, 'g', 5)
                                 .arg(plot_->yAxis->pixelToCoord(at.y()), 0, 'g', 5));
    });
    bar->addWidget(source_, 1);
    bar->addPermanentWidget(filter);
    bar->addPermanentWidget(shown);
    bar->addPermanentWidget(blink);
    bar->addPermanentWidget(coordinates);
    return bar;
}

QWidget* DiagramView::buildMultiSetFrame() {
    multiFrame_ = new QWidget(this);
    auto* row = new QGridLayout(multiFrame_);
    row->setContentsMargins(0, 0, 0, 0);
    setNumber_ = new QSpinBox(multiFrame_);
    setNumber_->setRange(1, 99);
    setNumber_->setPrefix(QStringLiteral("Set # "));
    auto* del = new QPushButton(QStringLiteral("Del"), multiFrame_);
    del->setToolTip(QStringLiteral("Removes this set in MultiGraph"));
    filterCommon_ = new QCheckBox(QStringLiteral("Filter is common for all"), multiFrame_);
    filterCommon_->setChecked(window_.definition.filterCommonForAll);
    cumulative_ = new QCheckBox(QStringLiteral("Cumulative"), multiFrame_);
    fillSets_ = new QCheckBox(QStringLiteral("Fill"), multiFrame_);
    fillSets_->setToolTip(QStringLiteral("Fill the area of each set"));
    stackSets_ = new QCheckBox(QStringLiteral("Stacking"), multiFrame_);
    stackSets_->setToolTip(QStringLiteral("Draw each set on top of the sets before it"));
    row->addWidget(setNumber_, 0, 0);
    row->addWidget(del, 0, 1);
    row->addWidget(filterCommon_, 1, 0);
    row->addWidget(cumulative_, 1, 1);
    row->addWidget(fillSets_, 2, 0);
    row->addWidget(stackSets_, 2, 1);
    connect(setNumber_, &QSpinBox::valueChanged, this, [this](int n) {
        if (n == multiSets_.current())
            return;
        multiSets_.store(boxesAsSet());
        showSet(multiSets_.select(n));
    });
    connect(del, &QPushButton::clicked, this, [this] { showSet(multiSets_.remove()); });
    multiFrame_->setVisible(false);
    return multiFrame_;
}

MultiSetEditor::Set DiagramView::boxesAsSet() const {
    return {tables_[D::X]->currentText().trimmed(), fields_[D::X]->currentText().trimmed(),
            tables_[D::Y]->currentText().trimmed(), fields_[D::Y]->currentText().trimmed(),
            filterCommon_->isChecked() ? QString() : filter_->currentText()};
}

void DiagramView::showSet(const MultiSetEditor::Set& set) {
    const QSignalBlocker blocker(setNumber_);
    setNumber_->setValue(multiSets_.current());
    tables_[D::X]->setCurrentText(set.xTable);
    fields_[D::X]->setCurrentText(set.xField);
    tables_[D::Y]->setCurrentText(set.yTable);
    fields_[D::Y]->setCurrentText(set.yField);
    if (!filterCommon_->isChecked())
        filter_->setCurrentText(set.filter);
}

void DiagramView::useClipData(bool on) {
    window_.definition.source = on ? D::Source::ClipData : D::Source::DB;
    refreshLists();
    for (QComboBox* box : tables_)
        if (on || box->currentText() == DiagramWindow::clipDataTable())
            box->setCurrentText(on ? DiagramWindow::clipDataTable() : QString());
    for (int slot = 0; slot < 4; ++slot)
        fillFields(slot);
    source_->setText(on ? QStringLiteral("ClipData") : QStringLiteral("DB"));
}

DiagramView::~DiagramView() {
    window_.storeLastFigure(lastFilesPath());
    // The object controller leaves the window when it goes: before the window, not after it
    // (children go only once the members are gone).
    delete objectMenus_;
    objectMenus_ = nullptr;
}

QString DiagramView::lastFilesPath() const {
    return folders_.userFolder + QStringLiteral("/ini/lastfiles.ini");
}

void DiagramView::buildMenus() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    QAction* savePictureAction =
        file->addAction(QStringLiteral("Save Picture..."), this, [this] { savePicture(); });
    QAction* openAction = file->addAction(QStringLiteral("&Open AKR"), this, [this] {
        if (const auto path =
                dialogs_.openFile(QStringLiteral("Open AKR"), FigureFile::fileFilter(),
                                  folders_.userFolder + QStringLiteral("/Graphs"));
            path && !path->isEmpty())
            openGraphFile(*path);
    });
    QAction* saveAction = file->addAction(QStringLiteral("&Save AKR"), QKeySequence::Save, this,
                                          [this] { saveGraphFile(false); });
    file->addAction(QStringLiteral("Save AKR &As"), this, [this] { saveGraphFile(true); });
    file->addAction(QStringLiteral("Save As Default Template"), this, [this] {
        takeInput();
        window_.saveDefaultTemplate(folders_.userFolder + QStringLiteral("/ini"));
    });
    file->addAction(QStringLiteral("Save Template"), this, [this] {
        if (const auto path =
                dialogs_.saveFile(QStringLiteral("Save Template"), ChartTemplate::fileFilter(),
                                  folders_.userFolder + QStringLiteral("/Styles/"));
            path && !path->isEmpty())
            window_.saveTemplate(*path);
    });
    file->addAction(QStringLiteral("Open Template"), this, [this] {
        if (const auto path =
                dialogs_.openFile(QStringLiteral("Open Template"), ChartTemplate::fileFilter(),
                                  folders_.userFolder + QStringLiteral("/Styles"));
            path && !path->isEmpty() && window_.openTemplate(*path))
            showFigure();
    });
    styleMenu_ = new DiagramStyleMenu(
        window_, folders_.userFolder + QStringLiteral("/Styles"), [this] { showFigure(); }, this);
    styleMenu_->addTo(*file);
    QMenu* autoSave = file->addMenu(QStringLiteral("Automatic saving"));
    auto* autoGroup = new QActionGroup(this);
    for (const auto& [caption, mode] : std::vector<std::pair<QString, GraphAutoSave::Mode>>{
             {QStringLiteral("No Automatic saving"), GraphAutoSave::Mode::None},
             {QStringLiteral("Each time when copied to clipboard"), GraphAutoSave::Mode::EachCopy},
             {QStringLiteral("Each time when drawed"), GraphAutoSave::Mode::EachDraw}}) {
        QAction* a = autoSave->addAction(caption, this, [this, m = mode] { window_.autoSave = m; });
        a->setCheckable(true);
        a->setChecked(mode == window_.autoSave);
        autoGroup->addAction(a);
    }
    file->addAction(QStringLiteral("Draw the Last Fig of Previous Session"), this,
                    [this] { drawLastFigure(); });
    file->addAction(QStringLiteral("Open Table"), this, [this] {
        takeInput();
        const QString table = window_.definition.tables[D::Y];
        if (table.isEmpty() || window_.definition.source == D::Source::ClipData)
            dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        else if (openGrid)
            openGrid(QStringLiteral("SELECT * FROM ") + JetSqlQuoting::name(table), table);
    });
    file->addAction(QStringLiteral("Print"), QKeySequence::Print, this, [this] { print(); });
    file->addSeparator();
    file->addAction(QStringLiteral("Close"), this, [this] {
        if (QWidget* frame = parentWidget())
            frame->close(); // the frame's child window around this view
        else
            close();
    });
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    QAction* copyAction = edit->addAction(QStringLiteral("Copy"), QKeySequence::Copy, this,
                                          [this] { copyPicture(); });
    edit->addAction(QStringLiteral("Copy Legend Only"), this, [this] {
        if (!plot_->legend || !plot_->legend->visible()) {
            dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
            return;
        }
        QGuiApplication::clipboard()->setPixmap(plot_->grab(plot_->legend->outerRect()));
    });
    objectMenus_ = new DiagramObjectMenus(
        window_, session_, dialogs_, status_, *plot_, [this] { showFigure(); }, this);
    auto* editMenus =
        new DiagramEditMenus(window_, objectMenus_->controller(), session_, dialogs_, *plot_,
                             {[this] { showFigure(); }, [this] { clipDataFilled(); },
                              [this](const QString& statement, const QString& caption) {
                                  if (openGrid)
                                      openGrid(statement, caption);
                              }});
    editMenus->addEditItems(*edit);
    edit->addAction(QStringLiteral("Copy DataPoints"), this, [this] {
        if (window_.copyDataPoints())
            clipDataFilled();
    });
    edit->addAction(QStringLiteral("Refresh"), this, [this] { refreshLists(); });
    edit->addAction(QStringLiteral("Change X to Y"), this, [this] {
        takeInput();
        window_.swapXY();
        showInput();
    });
    QMenu* tools = bar->addMenu(QStringLiteral("T&ools"));
    QAction* statisticsAction = tools->addAction(QStringLiteral("Statistics..."), this, [this] {
        FigureStatisticsDialog::show(window_.figure(), dialogs_, this);
    });
    tools->addAction(QStringLiteral("Run active SQL"), this, [this] {
        if (window_.activeStatement().isEmpty())
            dialogs_.message(MessageKind::Information, QStringLiteral("No data"));
        else if (openGrid)
            openGrid(window_.activeStatement(), windowTitle());
    });
    tools->addAction(QStringLiteral("Draw = Draw, Hide buttons and Copy"), this, [this] {
        if (!draw())
            return;
        if (side_->isVisible())
            statusPanelButtons_->click();
        copyPicture();
    });
    tools->addAction(QStringLiteral("Save Graph State"), this, [this] {
        takeInput();
        window_.saveGraphState();
    });
    tools->addAction(QStringLiteral("Restore Graph State"), this, [this] {
        window_.restoreGraphState();
        showInput();
        showFigure();
    });
    tools->addAction(QStringLiteral("Clear fig log"), this, [this] {
        window_.clearLog();
        log_->clear();
    });
    tools->addAction(QStringLiteral("Check Linking"), this, [this] {
        takeInput();
        window_.checkLinking();
    });
    editMenus->addToolItems(*tools);
    QMenu* query = bar->addMenu(QStringLiteral("Query"));
    const std::vector<std::pair<QString, D::Sort>> sorts{
        {QStringLiteral("No sorting"), D::Sort::None},
        {QStringLiteral("Sort By Y"), D::Sort::ByY},
        {QStringLiteral("Sort By X"), D::Sort::ByX},
        {QStringLiteral("Sort By Label"), D::Sort::ByLabel}};
    auto* sortGroup = new QActionGroup(this);
    for (const auto& [caption, sort] : sorts) {
        QAction* a =
            query->addAction(caption, this, [this, s = sort] { window_.definition.sort = s; });
        a->setCheckable(true);
        a->setChecked(sort == window_.definition.sort);
        sortGroup->addAction(a);
    }
    query->addAction(QStringLiteral("AND/OR..."), this, [this] { openCombinedFilters(); });
    query->addSeparator();
    QAction* nulls = query->addAction(QStringLiteral("Null rows in classifier are drawn"));
    nulls->setCheckable(true);
    connect(nulls, &QAction::toggled, this, [this](bool on) { window_.definition.drawNulls = on; });
    useClipData_ = query->addAction(QStringLiteral("Use ClipData"));
    useClipData_->setCheckable(true);
    connect(useClipData_, &QAction::toggled, this, &DiagramView::useClipData);

    optionsMenu_->addTo(*bar);
    axisMenu_->addTo(*bar);
    objectMenus_->addTo(*bar);
    objectMenus_->openStyle = [this](StyleGroup group, int index) {
        if (StyleEditorView* editor = styleMenu_->openEditor())
            editor->selectObject(group, index);
    };
    QMenu* windowMenu = bar->addMenu(QStringLiteral("Window"));
    windowMenu->addAction(QStringLiteral("Original size"), this, [this] {
        window_.setAxisRatio(std::nullopt);
        showFigure();
    });
    windowMenu->addAction(QStringLiteral("XY is perfect square"), this, [this] {
        window_.setAxisRatio(1.0);
        showFigure();
    });
    toolbar_ = new QToolBar(this);
    toolbar_->setIconSize(QSize(16, 16));
    auto* drawAction = new QAction(QStringLiteral("Draw"), toolbar_);
    drawAction->setToolTip(QStringLiteral("Draw (F2)"));
    connect(drawAction, &QAction::triggered, this, [this] { draw(); });
    toolbar_->addActions(
        {drawAction, copyAction, savePictureAction, openAction, saveAction, statisticsAction});
    QAction* zoomPan = windowMenu->addAction(QStringLiteral("Zoom and Pan"));
    zoomPan->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    zoomPan->setCheckable(true);
    windowMenu->addAction(QStringLiteral("Zoom In"), QKeySequence::ZoomIn, overview_,
                          [this] { overview_->zoomInOrOut(true); });
    windowMenu->addAction(QStringLiteral("Zoom Out"), QKeySequence::ZoomOut, overview_,
                          [this] { overview_->zoomInOrOut(false); });
    windowMenu->addAction(QStringLiteral("Show All"), QKeySequence(Qt::CTRL | Qt::Key_0), overview_,
                          [this] { overview_->showAll(); });
    connect(zoomPan, &QAction::toggled, overview_, &QWidget::setVisible);
    QAction* showToolbar = windowMenu->addAction(QStringLiteral("Show Toolbar"));
    showToolbar->setCheckable(true);
    showToolbar->setChecked(true);
    connect(showToolbar, &QAction::toggled, toolbar_, &QWidget::setVisible);
    windowMenu->addAction(QStringLiteral("Rename..."), this, [this] {
        if (const auto name = dialogs_.input(
                Dialogs::title(), QStringLiteral("Give new name for the window:"), windowTitle());
            name && !name->trimmed().isEmpty())
            setWindowTitle(name->trimmed());
    });
    auto* top = new QWidget(this);
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    topLayout->addWidget(bar);
    topLayout->addWidget(toolbar_);
    static_cast<QVBoxLayout*>(QWidget::layout())->setMenuBar(top);
}

void DiagramView::refreshLists() {
    for (QComboBox* box : tables_)
        refillKeepingChoice(box, QStringList{QString()} + window_.tableChoices());
    refillKeepingChoice(filter_, QStringList{QString()} + session_.catalogue().filters);
}

void DiagramView::fillFields(int slot) {
    const QString table = tables_[size_t(slot)]->currentText();
    refillKeepingChoice(fields_[size_t(slot)],
                        QStringList{QString()} + window_.fieldChoices(table));
}

void DiagramView::takeInput() {
    D& d = window_.definition;
    d.graphType = graphType_->currentText();
    for (size_t i = 0; i < 4; ++i) {
        d.tables[i] = tables_[i]->currentText().trimmed();
        d.fields[i] = fields_[i]->currentText().trimmed();
    }
    d.filterOn = filterOn_->isChecked();
    d.filter = filter_->currentText();
    d.connectingLine = connectingLine_->isChecked();
    d.labels = labels_->isChecked();
    d.filterCommonForAll = filterCommon_->isChecked();
    d.cumulative = cumulative_->isChecked();
    d.fill = fillSets_->isChecked();
    d.stacking = stackSets_->isChecked();
    if (d.isMultiSet())
        multiSets_.store(boxesAsSet());
}

void DiagramView::showInput() {
    const D& d = window_.definition;
    useClipData_->setChecked(d.source == D::Source::ClipData);
    graphType_->setCurrentText(d.graphType);
    for (size_t i = 0; i < 4; ++i) {
        tables_[i]->setCurrentText(d.tables[i]);
        fields_[i]->setCurrentText(d.fields[i]);
    }
    filterOn_->setChecked(d.filterOn);
    filter_->setCurrentText(d.filter);
}

bool DiagramView::draw() {
    takeInput();
    const bool drawn = window_.draw();
    showFigure();
    return drawn;
}

void DiagramView::showController() {
    showInput();
    showFigure();
}

void DiagramView::pickByPosition(const std::vector<int>& positions) {
    // The pickers' lists begin with an empty entry: position 0 is the entry after it.
    const auto pick = [](QComboBox* box, int position) {
        if (position >= 0 && position + 1 < box->count())
            box->setCurrentIndex(position + 1);
    };
    if (positions.size() >= 4) {
        pick(tables_[D::X], positions[0]);
        pick(tables_[D::Y], positions[1]);
        pick(fields_[D::X], positions[2]);
        pick(fields_[D::Y], positions[3]);
    }
    if (positions.size() >= 6) {
        pick(tables_[D::Z], positions[4]);
        pick(fields_[D::Z], positions[5]);
    }
    takeInput();
}

void DiagramView::setUseClipData(bool on) {
    useClipData_->setChecked(on);
}

bool DiagramView::openGraphFile(const QString& path) {
    if (!window_.openGraphFile(path))
        return false;
    graphFile_ = path;
    showFigure();
    return true;
}

void DiagramView::setWindowGeometry(const WindowGeometry* geometry) {
    axisMenu_->setWindowGeometry(geometry);
    optionsMenu_->setWindowGeometry(geometry);
    styleMenu_->setWindowGeometry(geometry);
}

void DiagramView::copyPicture() {
    QGuiApplication::clipboard()->setImage(
        FigureExporter::image(window_.figure(), plot_->size().expandedTo({640, 480})));
    window_.pictureCopied();
}

void DiagramView::print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QImage image =
        FigureExporter::image(window_.figure(), plot_->size().expandedTo({640, 480}));
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), size), image);
}

void DiagramView::clipDataFilled() {
    useClipData_->setChecked(true);
    showInput();
    if (clipDataChanged)
        clipDataChanged();
}

void DiagramView::saveGraphFile(bool askPath) {
    if (askPath || graphFile_.isEmpty()) {
        const auto path = dialogs_.saveFile(
            QStringLiteral("Save AKR"), FigureFile::fileFilter(),
            graphFile_.isEmpty() ? folders_.userFolder + QStringLiteral("/Graphs/Graph.akr")
                                 : graphFile_);
        if (!path || path->isEmpty())
            return;
        graphFile_ = *path;
    }
    window_.saveGraphFile(graphFile_);
}

void DiagramView::drawPrevious() {
    const int previous = int(window_.figureLog().size()) - 2;
    if (previous < 0)
        return;
    window_.drawFromLog(previous);
    showInput();
    showFigure();
}

bool DiagramView::drawLastFigure() {
    const bool drawn = window_.drawLastFigure(lastFilesPath());
    showInput();
    showFigure();
    return drawn;
}

void DiagramView::showFigure() {
    plot_->setViewport(plot_->rect()); // the chart covers the whole plot widget as it now is
    FigurePlot::show(window_.figure(), *plot_, plot_->size());
    plot_->replot();
    overview_->follow(window_.figure(), window_.definition.graphType == QLatin1String("Ternary"));
    axisMenu_->refresh();
    if (styleMenu_)
        styleMenu_->figureShown();
    log_->clear();
    log_->addItems(window_.figureLog());
    source_->setText((window_.definition.source == D::Source::ClipData ? QStringLiteral("ClipData")
                                                                       : QStringLiteral("DB")) +
                     QStringLiteral("   n=") + QString::number(window_.fetchedRows()));
}

void DiagramView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Laid out anew once every widget inside has its new size (tiling and maximising resize
    // the window before the splitter hands the chart its share).
    if (window_.figure().pointCount() > 0 && !reshowQueued_) {
        reshowQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            reshowQueued_ = false;
            showFigure();
        });
    }
}

void DiagramView::savePicture() {
    const auto path = dialogs_.saveFile(
        QStringLiteral("Save Picture"),
        QStringLiteral(
            "PNG picture (*.png)|*.png|SVG picture (*.svg)|*.svg|PDF document (*.pdf)|*.pdf"),
        folders_.userFolder + QStringLiteral("/Graph.png"));
    if (!path || path->isEmpty())
        return;
    // The picture's own size, not the window's: asked each time, the last answer offered.
    const PictureSize last = PictureSize::load(lastFilesPath());
    const auto answer =
        dialogs_.input(QStringLiteral("Picture size"),
                       QStringLiteral("Picture size in pixels and its resolution "
                                      "(width x height @ dots per inch; SVG and PDF are "
                                      "vectors of the same proportions):"),
                       last.text());
    if (!answer)
        return;
    const std::optional<PictureSize> size = PictureSize::parse(*answer);
    if (!size) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Give the size as width x height @ dots per inch, "
                                        "for example ") +
                             PictureSize().text());
        return;
    }
    size->save(lastFilesPath());
    if (!FigureExporter::save(window_.figure(), *path, *size)) {
        dialogs_.message(MessageKind::Critical, QStringLiteral("Error in writing file"));
        return;
    }
    status_.showStatus(QStringLiteral("Picture of %1 points written to %2")
                           .arg(window_.figure().pointCount())
                           .arg(*path),
                       0);
}

void DiagramView::openCombinedFilters() {
    Connection* db = session_.connection();
    if (!db)
        return;
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Calculated values for XY diagram"));
    FilterCombiner combiner(*db, session_.catalogue(), dialogs_, status_);
    auto* panel =
        new CombinedFilterPanel(combiner, session_.catalogue().filters, &window_, &dialog);
    connect(panel, &CombinedFilterPanel::combined, this, [this] {
        refreshLists();
        filterOn_->setChecked(window_.definition.filterOn);
        filter_->setCurrentText(window_.definition.filter);
    });
    connect(panel, &CombinedFilterPanel::closeRequested, &dialog, &QDialog::accept);
    (new QVBoxLayout(&dialog))->addWidget(panel);
    dialog.exec();
}
