#include "spider/ui/SpiderView.h"

#include "db/SessionDatabase.h"
#include "diagram/ObjectLibraryBrowser.h"
#include "diagram/ui/ObjectLibraryView.h"
#include "figure/ui/FigureExporter.h"
#include "figure/ui/FigurePlot.h"
#include "platform/Dialogs.h"
#include "platform/Sheet.h"
#include "platform/qt/ComboRefill.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <qcustomplot.h>

SpiderView::SpiderView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                       SpiderWindow::SystemOpener system, const SystemTables& names,
                       QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , dialogs_(dialogs)
    , status_(status)
    , window_(session, dialogs, status, std::move(system), names)
    , objects_(window_, dialogs)
    , type_(new QComboBox(this))
    , normalization_(new QComboBox(this))
    , classTable_(new QComboBox(this))
    , classField_(new QComboBox(this))
    , scan_(new QCheckBox(QStringLiteral("Scan"), this))
    , pack_(new QCheckBox(QStringLiteral("Pack"), this))
    , connect_(new QCheckBox(QStringLiteral("Connect over missing values"), this))
    , clipData_(new QCheckBox(QStringLiteral("Use ClipData"), this))
    , selection_(new QLabel(this))
    , plot_(new QCustomPlot(this)) {
    setWindowTitle(SpiderWindow::caption());
    window_.copyText = [](const QString& text) { QApplication::clipboard()->setText(text); };
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);

    scan_->setToolTip(QStringLiteral("Show one sample per time"));
    pack_->setToolTip(QStringLiteral("Does not show elements, which are missing in the database"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Spider type")), 0, 0);
    grid->addWidget(type_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Normalization sample")), 0, 2);
    grid->addWidget(normalization_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Classifier")), 1, 0);
    grid->addWidget(classTable_, 1, 1);
    grid->addWidget(classField_, 1, 3);
    auto* select = new QPushButton(QStringLiteral("&Select samples"), this);
    auto* drawButton = new QPushButton(QStringLiteral("&Draw"), this);
    drawButton->setObjectName(QStringLiteral("cmdDrawPGE"));
    drawButton->setToolTip(QStringLiteral("Draw spidergram"));
    auto* previous = new QPushButton(QStringLiteral("<"), this);
    auto* next = new QPushButton(QStringLiteral(">"), this);
    auto* options = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{scan_, previous, next, pack_, connect_,
                                                      clipData_, select, drawButton})
        options->addWidget(w);
    options->addStretch();
    layout->addLayout(grid);
    layout->addLayout(options);
    layout->addWidget(selection_);
    plot_->setMinimumSize(320, 240);
    layout->addWidget(plot_, 1);

    connect(type_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        window_.setSpiderType(name);
        fillNormalizations();
    });
    connect(classTable_, &QComboBox::currentTextChanged, this, [this] { fillClassFields(); });
    connect(drawButton, &QPushButton::clicked, this, [this] { draw(); });
    connect(select, &QPushButton::clicked, this, [this] {
        takeInput();
        if (window_.spiderType().isEmpty()) {
            dialogs_.message(MessageKind::Exclamation,
                             QStringLiteral("Please select the spider diagram type in the Spider "
                                            "window"));
            return;
        }
        if (openSelection)
            openSelection();
    });
    connect(previous, &QPushButton::clicked, this, [this] {
        if (window_.stepSample(-1))
            showFigure();
    });
    connect(next, &QPushButton::clicked, this, [this] {
        if (window_.stepSample(1))
            showFigure();
    });
    connect(plot_, &QCustomPlot::mousePress, this, [this](QMouseEvent* e) {
        if (e->button() != Qt::LeftButton || !(e->modifiers() & Qt::ShiftModifier))
            return;
        // Nearness in pixels: the Y axis is logarithmic as a rule.
        const auto toPixels = [this](QPointF data) {
            return QPointF(plot_->xAxis->coordToPixel(data.x()),
                           plot_->yAxis->coordToPixel(data.y()));
        };
        if (objects_.select(e->position(), 6, toPixels))
            showFigure();
    });
    buildMenus(bar);
    buildObjectMenus(bar);
    refreshLists();
    showSelection();
}

void SpiderView::buildMenus(QMenuBar* bar) {
    QMenu* spider = bar->addMenu(QStringLiteral("Sp&ider"));
    spider->addAction(QStringLiteral("&Show normalization sample"), this, [this] {
        takeInput();
        window_.showNormalizationSample();
    });
    spider->addAction(QStringLiteral("&Edit Normalization sample"), this, [this] {
        takeInput();
        if (const QString sql = window_.editNormalizationStatement();
            !sql.isEmpty() && openSystemGrid)
            openSystemGrid(sql, QStringLiteral("Spider: Normalization sample"));
    });
    spider->addSeparator();
    const SystemTables& names = window_.systemTables();
    for (const QString& table : {names.spiderMain, names.spiderNorm})
        spider->addAction(QStringLiteral("Open ") + table, this, [this, table] {
            if (openSystemGrid)
                openSystemGrid(QStringLiteral("SELECT * FROM [") + table + u']',
                               QStringLiteral("System/") + table);
        });
    spider->addAction(QStringLiteral("Show all spiders"), this, [this] {
        QString text;
        for (const QString& name : window_.spiderTypes())
            text += name + QStringLiteral("\r\n");
        dialogs_.message(MessageKind::Information, text);
    });
    spider->addAction(QStringLiteral("Add spider..."), this, [this] {
        if (openDefinition)
            openDefinition();
    });
    spider->addAction(QStringLiteral("Copy spider..."), this, [this] {
        takeInput();
        if (window_.copySpiderType())
            refreshLists();
    });
    spider->addSeparator();
    spider->addAction(QStringLiteral("Export spiders..."), this, [this] {
        if (const auto path = dialogs_.saveFile(QStringLiteral("Export spiders"),
                                                QStringLiteral("Text (*.txt)|*.txt"),
                                                QStringLiteral("SpiderMain.txt")))
            window_.exportLibrary(QFileInfo(*path).absolutePath());
    });
    spider->addAction(QStringLiteral("Import spiders..."), this, [this] {
        if (const auto path =
                dialogs_.openFile(QStringLiteral("Import spiders"),
                                  QStringLiteral("SpiderMain.txt|SpiderMain.txt"), QString()))
            if (window_.importLibrary(QFileInfo(*path).absolutePath()))
                refreshLists();
    });
    spider->addSeparator();
    spider->addAction(QStringLiteral("SpiderTable..."), this, [this] {
        if (showSheet)
            showSheet(window_.spiderTable(), QStringLiteral("Spider data"));
    });
    spider->addAction(QStringLiteral("Save Picture..."), this, [this] { savePicture(); });

    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    QMenu* names2 = options->addMenu(QStringLiteral("Options for elements in X-axis"));
    auto* group = new QActionGroup(this);
    for (const auto& [text, style] :
         {std::pair{QStringLiteral("Only element name (e.g. La)"),
                    SpiderElementNames::Style::ElementOnly},
          std::pair{QStringLiteral("Full name"), SpiderElementNames::Style::FullName}}) {
        QAction* a = names2->addAction(text, this, [this, style] {
            window_.elementStyle = style;
            if (!window_.figure().series.empty())
                draw();
        });
        a->setCheckable(true);
        a->setChecked(style == window_.elementStyle);
        group->addAction(a);
    }
    options->addAction(QStringLiteral("Item Names..."), this, [this] {
        const auto n =
            dialogs_.input(Dialogs::title(), QStringLiteral("Item number"), QStringLiteral("1"));
        if (n && window_.renameItem(n->toInt()))
            showFigure();
    });
    const auto toggle = [this](QMenu* menu, const QString& text, bool& flag) {
        QAction* a = menu->addAction(text);
        a->setCheckable(true);
        a->setChecked(flag);
        connect(a, &QAction::toggled, this, [this, &flag](bool on) {
            flag = on;
            if (!window_.figure().series.empty())
                draw();
        });
    };
    toggle(options, QStringLiteral("Show Spider name below"), window_.showSpiderName);
    toggle(options, QStringLiteral("Show normalization sample"), window_.showNormalizationName);

    QMenu* legend = bar->addMenu(QStringLiteral("L&egend"));
    toggle(legend, QStringLiteral("&Legend Is Visible"), window_.legendVisible);
    legend->addAction(QStringLiteral("&Edit Legend"), this, [this] {
        const auto n =
            dialogs_.input(Dialogs::title(), QStringLiteral("Label number"), QStringLiteral("1"));
        if (n && window_.renameSeries(n->toInt() - 1))
            showFigure();
    });

    QMenu* y = bar->addMenu(QStringLiteral("&Y axis"));
    toggle(y, QStringLiteral("&Is Logarithmic"), window_.yLogarithmic);
    QMenu* gridlines = y->addMenu(QStringLiteral("Gridlines"));
    auto* grids = new QActionGroup(this);
    for (const auto& [text, style] : {std::pair{QStringLiteral("None"), GridStyle::None},
                                      std::pair{QStringLiteral("Solid"), GridStyle::Solid},
                                      std::pair{QStringLiteral("Dashed"), GridStyle::Dashed},
                                      std::pair{QStringLiteral("Dotted"), GridStyle::Dotted}}) {
        QAction* a = gridlines->addAction(text, this, [this, style] {
            window_.yGrid = style;
            window_.figure().y.grid = style;
            showFigure();
        });
        a->setCheckable(true);
        a->setChecked(style == window_.yGrid);
        grids->addAction(a);
    }
    QMenu* title = y->addMenu(QStringLiteral("&Title"));
    title->addAction(QStringLiteral("&Change"), this, [this] {
        if (window_.changeYTitle())
            showFigure();
    });
    title->addAction(QStringLiteral("&Text before normalization"), this,
                     [this] { window_.changeTextBeforeNormalization(); });
}

void SpiderView::buildObjectMenus(QMenuBar* bar) {
    const auto libraryItem = [this](QMenu* menu, LibraryKind kind) {
        menu->addAction(QStringLiteral("&Library..."), this, [this, kind] { openLibrary(kind); });
    };
    QMenu* trend = bar->addMenu(QStringLiteral("Trend&Line"));
    libraryItem(trend, LibraryKind::Trendline);
    trend->addAction(QStringLiteral("&Erase"), this, [this] {
        if (objects_.eraseTrendline())
            showFigure();
    });
    QMenu* polygon = bar->addMenu(QStringLiteral("&Polygon"));
    libraryItem(polygon, LibraryKind::Polygon);
    polygon->addAction(QStringLiteral("&Erase"), this, [this] {
        if (objects_.erasePolygon())
            showFigure();
    });
    libraryItem(bar->addMenu(QStringLiteral("&RefPoint")), LibraryKind::Point);
}

ObjectLibraryView* SpiderView::openLibrary(LibraryKind kind) {
    if (library.systemDatabase.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No system database is set"));
        return nullptr;
    }
    takeInput(); // the objects listed and matched are those of the type and sample chosen
    auto* view =
        new ObjectLibraryView(new ObjectLibraryBrowser(objects_, dialogs_, status_,
                                                       library.systemDatabase, library.names),
                              library.geometry, this);
    connect(view, &ObjectLibraryView::drawn, this, [this] {
        showChoices();
        showFigure();
    });
    view->show();
    view->showKind(kind);
    return view;
}

void SpiderView::showChoices() {
    type_->setCurrentText(window_.spiderType());
    normalization_->setCurrentText(window_.normalization());
}

void SpiderView::refreshLists() {
    window_.reloadLibrary();
    refillKeepingChoice(type_, window_.spiderTypes());
    window_.setSpiderType(type_->currentText());
    fillNormalizations();
    refillKeepingChoice(classTable_, QStringList{QString()} + session_.catalogue().tableNames());
    fillClassFields();
}

void SpiderView::fillNormalizations() {
    refillKeepingChoice(normalization_, window_.normalizationSamples());
}

void SpiderView::fillClassFields() {
    refillKeepingChoice(classField_, QStringList{QString()} + session_.catalogue().fieldNames(
                                                                  classTable_->currentText()));
}

void SpiderView::takeInput() {
    window_.setSpiderType(type_->currentText());
    window_.setNormalization(normalization_->currentText());
    window_.setClassifier(classTable_->currentText(), classField_->currentText());
    window_.switches = {scan_->isChecked(), pack_->isChecked(), connect_->isChecked(),
                        clipData_->isChecked()};
}

void SpiderView::showSelection() {
    selection_->setText(QStringLiteral("%1 samples selected").arg(window_.selectedCount()) +
                        (window_.selectionTable().isEmpty()
                             ? QString()
                             : QStringLiteral(" from ") + window_.selectionTable()));
}

bool SpiderView::draw() {
    takeInput();
    const bool ok = window_.draw();
    if (ok)
        showFigure();
    return ok;
}

void SpiderView::showController() {
    const SpiderWindow::Switches switches = window_.switches;
    const QString normalization = window_.normalization();
    const QString classField = window_.classField();
    type_->setCurrentText(window_.spiderType());
    fillNormalizations();
    normalization_->setCurrentText(normalization);
    classTable_->setCurrentText(window_.classTable());
    fillClassFields();
    classField_->setCurrentText(classField);
    scan_->setChecked(switches.scan);
    pack_->setChecked(switches.pack);
    connect_->setChecked(switches.connectOverMissing);
    clipData_->setChecked(switches.useClipData);
    showSelection();
    showFigure();
}

void SpiderView::showFigure() {
    FigurePlot::show(window_.figure(), *plot_, plot_->size());
}

void SpiderView::savePicture() {
    if (window_.figure().series.empty())
        return;
    const auto path = dialogs_.saveFile(QStringLiteral("Save Picture"),
                                        QStringLiteral("PNG (*.png)|*.png|SVG (*.svg)|*.svg"),
                                        QStringLiteral("spider.png"));
    if (path &&
        !FigureExporter::save(window_.figure(), *path, plot_->size().expandedTo({640, 480})))
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Error in writing file"));
}
