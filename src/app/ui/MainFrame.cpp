#include "app/ui/MainFrame.h"
#include "platform/ConnectionTextRedactor.h"

#include "app/MainWindow.h"
#include "app/WindowGeometry.h"
#include "app/ui/FrameCommands.h"
#include "app/ui/FramePictureBook.h"
#include "app/ui/FrameWindowOpeners.h"
#include "app/ui/OpenDatabaseDialog.h"
#include "app/ui/RecentDatabaseList.h"
#include "app/ui/SampleBrowserPanel.h"
#include "automation/MainCommands.h"
#include "calc/ui/UserCalcView.h"
#include "clipdata/ClipDataWindow.h"
#include "clipdata/TableLoaderWindow.h"
#include "clipdata/ui/ClipDataView.h"
#include "clipdata/ui/TableLoaderView.h"
#include "db/SessionDatabase.h"
#include "db/SystemDatabase.h"
#include "db/TableLinker.h"
#include "db/ui/CatalogueView.h"
#include "diagram/StyleDefaults.h"
#include "diagram/ui/DiagramAxisMenu.h"
#include "diagram/ui/DiagramCalcControls.h"
#include "diagram/ui/DiagramObjectMenus.h"
#include "diagram/ui/DiagramView.h"
#include "filter/FilterWindow.h"
#include "filter/ui/FilterPanel.h"
#include "filter/ui/QueryView.h"
#include "link/ui/LinkContentView.h"
#include "link/ui/LinkController.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/Workbook.h"
#include "platform/qt/QtStatus.h"
#include "query/FieldAliases.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"
#include "spider/ui/SpiderView.h"
#include "spider/ui/SpiderWindowSet.h"
#include "stats/ui/BoxPlotView.h"
#include "stats/ui/ComparisonWindowSet.h"
#include "stats/ui/DescriptiveStatisticsView.h"
#include "stats/ui/DistributionView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QSet>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
// The table loader's controller with the link search it reads, on one connection: a child of
// its window, replaced when another database opens.
struct TableLoaderParts : QObject {
    TableLoaderParts(SessionDatabase& session, ClipDataSheet& clipData, Dialogs& dialogs,
                     Status& status)
        : resolver(*session.connection(), session.catalogue())
        , links(session.catalogue(), resolver)
        , window(links, *session.connection(), clipData, dialogs, status) {
        setObjectName(objectNameOfParts());
    }
    static QString objectNameOfParts() { return QStringLiteral("tableLoaderParts"); }

    FilterBaseResolver resolver;
    LinkSearch links;
    TableLoaderWindow window;
};
} // namespace

MainFrame::MainFrame(const WindowGeometry& geometry)
    : geometry_(geometry)
    , area_(new QMdiArea(this))
    , status_(new QtStatus(statusBar()))
    , openers_(std::make_unique<FrameWindowOpeners>(*this)) {
    setWindowTitle(QStringLiteral("QUV Data"));
    setCentralWidget(area_);
    // A window larger than the area (its least size) can be scrolled to, never cut off.
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A first start takes most of the screen, so that the larger windows open whole.
    QSize first(1024, 720);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        first = first.expandedTo(screen->availableSize() * 0.85).boundedTo(screen->availableSize());
    resize(first);
    const WindowRect r = geometry_.loadMain();
    if (r.width && r.height && *r.width > 100 && *r.height > 100)
        resize(*r.width, *r.height);
    if (r.left && r.top)
        move(*r.left, *r.top);
}

// Child windows go first: their grids still hold names in the frame's list of open views.
MainFrame::~MainFrame() {
    deleteChildWindows();
}

void MainFrame::deleteChildWindows() {
    qDeleteAll(area_->subWindowList());
}

void MainFrame::bind(const Parts& parts) {
    parts_.emplace(parts);
    styleDefaults_ = std::make_unique<StyleDefaults>(
        StyleDefaults::load(parts.folders.userFolder, parts.folders.appPath));
    clipData_ = std::make_unique<ClipDataWindow>(parts.session, parts.dialogs, *status_,
                                                 parts.folders.userFolder +
                                                     QStringLiteral("/ini/lastfiles.ini"));
    link_ = std::make_unique<LinkController>(
        parts.link, parts.folders.userFolder, parts.pictureBookFolders, parts.session, *clipData_,
        parts.dialogs, *status_,
        LinkController::Frame{[this] { openClipData(); },
                              [this](const QString& path) {
                                  if (!book_ || !book_->controller().open(path))
                                      return false;
                                  book_->dock()->show();
                                  return true;
                              },
                              [this](const QString& line) {
                                  return commands_ && commands_->AjaCmdKomento(line).ok;
                              }});
    MainWindow& controller = parts.controller;
    controller_ = &controller;
    clipData_->hooks.schemaChanged = [this] { controller_->schemaChanged(); };
    // A database made with a ClipData table opens as the File menu's "Open" would open it.
    clipData_->hooks.openDatabase = [this](const QString& path) {
        return controller_->OpenDBFromMDI(path, false, true);
    };
    controller.hooks.setCaption = [this](const QString& c) { setWindowTitle(c); };
    controller.hooks.refreshWindows = [this] { refreshLists(); };
    controller.hooks.chooseDatabase = [this]() -> std::optional<QString> {
        TableLinker linker(parts_->session, parts_->dialogs);
        linker.linked = [this] { refreshLists(); };
        OpenDatabaseDialog dialog(controller_->recentDatabases(), geometry_, this, &linker);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.chosen();
    };
    controller.hooks.openGrid = [this](const QString& statement, const QString& caption) {
        return openGrid(statement, caption) != nullptr;
    };
    spiders_ = new SpiderWindowSet(
        {parts.session, parts.dialogs, *status_, parts.systemDatabase, parts.systemTables,
         [this](QWidget* w, const QString& name, QSize size) { showChild(w, name, size); },
         [this](QWidget* w) {
             for (QMdiSubWindow* child : area_->subWindowList())
                 if (child->widget() == w)
                     bringForward(child);
         },
         [this](const QString& statement, const QString& caption) { openGrid(statement, caption); },
         [this](const QString& statement, const QString& caption) {
             openSystemGrid(QString(), statement, caption);
         },
         &styleDefaults_->spider, &geometry_},
        this);
    comparisons_ = new ComparisonWindowSet(
        {parts.session, parts.dialogs, *status_,
         [this] { return &clipData_->sheet().activePage(); },
         [this](QWidget* w, const QString& name, QSize size) { showChild(w, name, size); },
         [this](QWidget* w) {
             for (QMdiSubWindow* child : area_->subWindowList())
                 if (child->widget() == w)
                     bringForward(child);
         },
         [this] { openHelp(); }},
        this);
    controller.hooks.setBusy = [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };

    databases_ = new RecentDatabaseList;
    connect(databases_, &RecentDatabaseList::openRequested, this,
            [this](const QString& path) { controller_->OpenDBFromMDI(path, true, false); });
    browserPanel_ = new SampleBrowserPanel(parts.browser, parts.session.catalogue());
    tables_ = new QListWidget;
    tables_->setObjectName(QStringLiteral("tables"));
    tables_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tables_->setToolTip(QStringLiteral("Double-click opens a table; pick several for the "
                                       "Database menu's linking report and table loading"));
    connect(tables_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString name = item->text();
        openGrid(QStringLiteral("SELECT * FROM ") + JetSqlQuoting::name(name),
                 (name.startsWith(QStringLiteral("f_")) ? QStringLiteral("Filter/")
                                                        : QStringLiteral("Table/")) +
                     name);
    });
    auto* side = new QWidget;
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(databases_, 1);
    layout->addWidget(tables_, 2);
    layout->addWidget(browserPanel_, 2);
    auto* dock = new QDockWidget(QStringLiteral("Databases"), this);
    dock->setObjectName(QStringLiteral("databases"));
    dock->setWidget(side);
    addDockWidget(Qt::LeftDockWidgetArea, dock);

    auto* bar = addToolBar(QStringLiteral("Windows"));
    bar->setObjectName(QStringLiteral("windows"));
    arrangement_ = new QComboBox;
    arrangement_->addItems({QStringLiteral("Tile Horizontally"), QStringLiteral("Tile Vertically"),
                            QStringLiteral("Cascade"), QStringLiteral("Tile"),
                            QStringLiteral("Arrange Icons")});
    connect(arrangement_, &QComboBox::activated, this,
            [this](int i) { arrange(arrangement_->itemText(i)); });
    windows_ = new QComboBox;
    windows_->setMinimumContentsLength(24);
    connect(windows_, &QComboBox::activated, this,
            [this](int i) { activateChild(windows_->itemData(i).value<quintptr>()); });
    connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        if (auto* diagram = w ? qobject_cast<DiagramView*>(w->widget()) : nullptr)
            currentDiagram_ = diagram;
        fillWindowList();
    });
    bar->addWidget(arrangement_);
    bar->addWidget(windows_);

    commands_ = new FrameCommands(*this, parts.folders.userFolder);
    book_ = new FramePictureBook(
        *this, parts.folders.userFolder,
        parts.pictureBookFolders.value(0, parts.folders.userFolder + QStringLiteral("/Books")));
    buildMenus();
    refreshLists();
}

void MainFrame::buildMenus() {
    MainWindow& c = *controller_;
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->addAction(QStringLiteral("&Open Database..."), QKeySequence::Open, this,
                         [&c] { c.openDatabase(); });
    fileMenu_->addAction(QStringLiteral("&Close Database"), QKeySequence::Close, this,
                         [&c] { c.closeDatabase(); });
    fileMenu_->addAction(QStringLiteral("&New Database..."), QKeySequence::New, this,
                         [&c] { c.newDatabase(); });
    fileMenu_->addAction(QStringLiteral("&Map Database and Save the Map"), this,
                         [&c] { c.ReeMap(); });
    QMenu* start = fileMenu_->addMenu(QStringLiteral("Start"));
    for (const QString& program : {QStringLiteral("ZolRock"), QStringLiteral("ZolModel")})
        start->addAction(program, this, [&c, program] { c.startProgram(program); });
    commands_->addMacroItems(*fileMenu_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(QStringLiteral("&Exit"), QKeySequence::Quit, this, &QWidget::close);
    fileMenu_->addSeparator();
    for (int i = 1; i <= MainWindow::recentMenuSize; ++i)
        recentActions_ << fileMenu_->addAction(QString(), this, [&c, i] { c.openRecent(i); });

    QMenu* database = menuBar()->addMenu(QStringLiteral("Database"));
    database->addAction(QStringLiteral("Tables..."), this, [&c] { c.showTables(); });
    database->addAction(QStringLiteral("Queries..."), this, [&c] { c.showQueries(); });
    database->addAction(QStringLiteral("Filters..."), this, [&c] { c.showFilters(); });
    database->addAction(QStringLiteral("Filter window..."), this, [this] { openFilterWindow(); });
    database->addAction(QStringLiteral("Query..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Q),
                        this, [this] { openQueryWindow(); });
    database->addAction(QStringLiteral("Relationships..."),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), this,
                        [this] { openCatalogue(); });
    database->addSeparator();
    database->addAction(QStringLiteral("Linking of selected tables"), this,
                        [this, &c] { c.showLinkingReport(selectedTables()); });
    database->addAction(QStringLiteral("Load selected tables..."), this,
                        [this, &c] { c.loadTables(selectedTables()); });
    database->addSeparator();
    QMenu* system = database->addMenu(QStringLiteral("System"));
    system->setToolTipsVisible(true);
    fillSystemMenu(system);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    // Through the VIEW dispatcher, which records them.
    MainCommands& views = commands_->mainCommands();
    view->addAction(QStringLiteral("&Graph"), QKeySequence(Qt::CTRL | Qt::Key_G), this,
                    [&views] { views.view(QStringLiteral("XY")); });
    view->addAction(QStringLiteral("&ClipData"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                    this, [&views] { views.view(QStringLiteral("CLIPDATA")); });
    view->addAction(QStringLiteral("&Spider diagram"), this,
                    [&views] { views.view(QStringLiteral("SPIDER")); });
    commands_->addPanelItem(*view);
    book_->addMenu(*menuBar());
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    // The dock at the left: databases, tables and the sample browser.
    QAction* leftToolbar = findChild<QDockWidget*>(QStringLiteral("databases"))->toggleViewAction();
    leftToolbar->setText(QStringLiteral("Show Left Toolbar"));
    tools->addAction(leftToolbar);
    tools->addAction(QStringLiteral("Draw last fig"), this, [this] {
        if (DiagramView* diagram = openDiagram())
            diagram->drawLastFigure();
    });
    tools->addAction(QStringLiteral("Link content..."), this, [this] { openLinkContent(); });
    tools->addAction(QStringLiteral("Set Link value"), this, [this] { link_->setLinkValue(); });
    tools->addAction(QStringLiteral("Database Relationships..."), this,
                     [this] { openCatalogue(); });
    tools->addAction(QStringLiteral("Converter..."), this, [this] { openConverter(); });
    tools->addAction(QStringLiteral("Population Analysis..."), this,
                     [&views] { views.view(QStringLiteral("POPULATION")); });
    tools->addAction(QStringLiteral("User Defined Derivatives..."), this,
                     [this] { openUserCalc(); });
    QMenu* statistics = menuBar()->addMenu(QStringLiteral("&Statistics"));
    statistics->addAction(QStringLiteral("&Descriptive statistics..."), this,
                          [this] { openDescriptiveStatistics(); });
    statistics->addAction(QStringLiteral("&Box && Whisker Graph..."), this,
                          [this] { openBoxPlot(); });
    statistics->addAction(QStringLiteral("D&istribution..."), this, [this] { openDistribution(); });
    statistics->addAction(QStringLiteral("&Correlation matrix..."), this,
                          [this] { comparisons_->openCorrelation(); });
    statistics->addAction(QStringLiteral("&t-test..."), this,
                          [this] { comparisons_->openTwoSampleTest(); });
    statistics->addAction(QStringLiteral("&Linear Model..."), this,
                          [this] { comparisons_->openLinearModel(); });
    QMenu* windowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    windowMenu->setObjectName(QStringLiteral("windowMenu"));
    connect(windowMenu, &QMenu::aboutToShow, this,
            [this, windowMenu] { fillWindowMenu(windowMenu); });
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("About Quv Data"), this, [this] {
        parts_->dialogs.message(MessageKind::Information,
                                QStringLiteral("QUV Data ") + QStringLiteral(QUV_VERSION) +
                                    QStringLiteral("\r\nAssay data in databases: grids, ClipData, "
                                                   "diagrams and filters."));
    });
    help->addAction(QStringLiteral("Quv Help"), QKeySequence::HelpContents, this,
                    [this] { openHelp(); });
}

QString MainFrame::userGuidePath() const {
    return parts_ ? parts_->folders.appPath + QStringLiteral("/docs/user-guide.md") : QString();
}

QWidget* MainFrame::openHelp() {
    return openers_->openHelp();
}

QWidget* MainFrame::openClipData() {
    if (!parts_)
        return nullptr;
    // One ClipData window: a second request brings it forward, showing the sheet anew.
    if (QMdiSubWindow* w = refreshClipDataView()) {
        area_->setActiveSubWindow(w);
        return w->widget();
    }
    auto* view = new ClipDataView(*clipData_);
    connect(view, &ClipDataView::tableLoaderRequested, this, &MainFrame::openTableLoader);
    showChild(view, QStringLiteral("ClipData"), {700, 450});
    return view;
}

QMdiSubWindow* MainFrame::refreshClipDataView() {
    for (QMdiSubWindow* w : area_->subWindowList())
        if (auto* view = qobject_cast<ClipDataView*>(w->widget())) {
            view->refresh();
            return w;
        }
    return nullptr;
}

QWidget* MainFrame::openTableLoader() {
    if (!parts_)
        return nullptr;
    for (QMdiSubWindow* w : area_->subWindowList())
        if (auto* view = qobject_cast<TableLoaderView*>(w->widget())) {
            area_->setActiveSubWindow(w);
            return view;
        }
    SessionDatabase& session = parts_->session;
    if (!session.connection() || !session.isOpen()) {
        parts_->dialogs.message(MessageKind::Exclamation, QStringLiteral("No database open"));
        return nullptr;
    }
    auto* loader = new TableLoaderParts(session, clipData_->sheet(), parts_->dialogs, *status_);
    auto* view = new TableLoaderView(loader->window, session.catalogue());
    loader->setParent(view);
    connect(view, &TableLoaderView::loaded, this, [this] { openClipData(); });
    QMdiSubWindow* child = showChild(view, TableLoaderWindow::shortName(), {420, 480});
    child->setProperty(connectionProperty, QVariant::fromValue(quintptr(session.connection())));
    return view;
}

QWidget* MainFrame::openLinkContent() {
    if (!link_)
        return nullptr;
    if (auto* open = activateChild<LinkContentView>())
        return open;
    auto* view = new LinkContentView(*link_);
    showChild(view, QStringLiteral("LinkContent"), {480, 300});
    return view;
}

UserCalcView* MainFrame::openUserCalc() {
    return openers_->openUserCalc();
}

DiagramView* MainFrame::openDiagram() {
    if (!parts_)
        return nullptr;
    auto* diagram = new DiagramView(parts_->session, parts_->dialogs, *status_,
                                    {parts_->folders.userFolder, parts_->folders.appPath});
    diagram->controller().setClipDataSource(
        [this]() -> Sheet* { return &clipData_->sheet().activePage(); });
    diagram->clipDataChanged = [this] { refreshClipDataView(); };
    diagram->openGrid = [this](const QString& statement, const QString& caption) {
        openGrid(statement, caption);
    };
    diagram->setWindowGeometry(&geometry_);
    diagram->calcControls()->systemDatabase = parts_->systemDatabase;
    diagram->objectMenus().library = {parts_->systemDatabase, parts_->systemTables, &geometry_};
    diagram->useStyleDefaults(styleDefaults_.get());
    const FieldAliases aliases(
        [database = parts_->systemDatabase, tables = parts_->systemTables] {
            return SystemDatabase::open(database, tables);
        },
        parts_->userName, parts_->systemTables.alias);
    diagram->controller().setAliasReader([aliases](const QString& table, const QString& field) {
        return aliases.get(table, field);
    });
    diagram->controller().setAliasWriter(
        [aliases](const QString& table, const QString& field, const QString& alias) {
            aliases.put(table, field, alias);
        });
    showChild(diagram, QStringLiteral("XY"), {900, 600});
    currentDiagram_ = diagram;
    commands_->attach(*diagram);
    return diagram;
}

DiagramView* MainFrame::currentDiagram() const {
    return currentDiagram_.data();
}

void MainFrame::refreshLists() {
    if (!controller_)
        return;
    fillRecentMenu();
    databases_->fill(controller_->recentDatabases());
    fillTables();
    browserPanel_->refreshLists();
    for (QMdiSubWindow* w : area_->subWindowList()) {
        if (auto* diagram = qobject_cast<DiagramView*>(w->widget()))
            diagram->refreshLists();
        if (auto* catalogue = qobject_cast<CatalogueView*>(w->widget()))
            catalogue->refresh();
        if (auto* query = qobject_cast<QueryView*>(w->widget()))
            query->refreshLists();
        if (auto* full = qobject_cast<DescriptiveStatisticsView*>(w->widget()))
            full->refreshLists();
        if (auto* box = qobject_cast<BoxPlotView*>(w->widget()))
            box->refreshLists();
        if (auto* distribution = qobject_cast<DistributionView*>(w->widget()))
            distribution->refreshLists();
        if (auto* loader = qobject_cast<TableLoaderView*>(w->widget()))
            refreshTableLoader(w, loader);
        if (auto* calc = qobject_cast<UserCalcView*>(w->widget()))
            calc->refresh();
        if (auto* filters = w->widget()->findChild<FilterPanel*>())
            filters->refreshLists();
    }
    spiders_->refreshLists();
    comparisons_->refreshLists();
}

// Its controller holds the connection it was opened on: after another database opened, a
// controller on the new one takes over; without a database the window closes.
void MainFrame::refreshTableLoader(QMdiSubWindow* child, TableLoaderView* loader) {
    SessionDatabase& session = parts_->session;
    const auto connection = quintptr(session.connection());
    if (child->property(connectionProperty).value<quintptr>() == connection) {
        loader->refresh();
        return;
    }
    QObject* old = loader->findChild<QObject*>(TableLoaderParts::objectNameOfParts(),
                                               Qt::FindDirectChildrenOnly);
    if (!session.connection() || !session.isOpen()) {
        child->close();
        return;
    }
    auto* fresh = new TableLoaderParts(session, clipData_->sheet(), parts_->dialogs, *status_);
    loader->rebind(fresh->window);
    fresh->setParent(loader);
    delete old;
    child->setProperty(connectionProperty, QVariant::fromValue(connection));
}

void MainFrame::fillRecentMenu() {
    const QStringList recent = controller_->recentDatabases();
    for (int i = 0; i < recentActions_.size(); ++i) {
        const QString path = i < recent.size() ? recent[i] : QString();
        recentActions_[i]->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        recentActions_[i]->setVisible(!path.isEmpty());
    }
}

void MainFrame::fillTables() {
    tables_->clear();
    const SchemaCatalogue& catalogue = parts_->session.catalogue();
    tables_->addItems(catalogue.tableNames());
    for (const QString& filter : catalogue.filters)
        tables_->addItem(QStringLiteral("f_") + filter);
}

QWidget* MainFrame::openFilterWindow() {
    if (!parts_)
        return nullptr;
    auto controller = std::make_shared<FilterWindow>(parts_->session, parts_->dialogs, *status_);
    controller->attachClipData(&clipData_->filters());
    // A filter made, renamed or deleted joins or leaves every window's filter list.
    controller->filtersChanged = [this] { refreshLists(); };
    auto* holder = new QWidget;
    holder->setWindowTitle(QStringLiteral("Filters"));
    auto* panel = new FilterPanel(*controller, parts_->session.catalogue(), holder);
    // ClipData filters pick a page of the sheet and one of its column headings.
    panel->setClipDataLists(
        [this] {
            QStringList pages = clipData_->sheet().workbook().sheetNames();
            pages.removeAll(ClipDataFilterStore::pageName());
            return pages;
        },
        [this](const QString& page) {
            QStringList headings;
            const Workbook& book = clipData_->sheet().workbook();
            const int at = int(book.sheetNames().indexOf(page)) + 1;
            if (const Sheet* sheet = book.sheetAt(at))
                for (int c = 1; c <= sheet->lastColumn(); ++c)
                    if (!sheet->isEmpty(1, c))
                        headings << sheet->text(1, c);
            return headings;
        });
    (new QVBoxLayout(holder))->addWidget(panel);
    // The controller lives as long as its window.
    connect(holder, &QObject::destroyed, this, [controller] {});
    showChild(holder, FilterWindow::shortName(), {640, 520});
    return holder;
}

QString MainFrame::uniqueCaption(const QString& caption, const QWidget* except) const {
    QSet<QString> taken;
    for (const QMdiSubWindow* w : area_->subWindowList())
        if (w->widget() != except)
            taken.insert(w->windowTitle());
    if (!taken.contains(caption))
        return caption;
    for (int n = 2;; ++n)
        if (const QString numbered = QStringLiteral("%1 (%2)").arg(caption).arg(n);
            !taken.contains(numbered))
            return numbered;
}

void MainFrame::bringForward(QMdiSubWindow* w) {
    // Only a minimised window is brought back; maximised or tiled ones stay as they are.
    if (w->isMinimized())
        w->showNormal();
    area_->setActiveSubWindow(w);
}

void MainFrame::activateChild(quintptr id) {
    for (QMdiSubWindow* w : area_->subWindowList())
        if (quintptr(w) == id)
            return bringForward(w);
}

QWidget* MainFrame::openDescriptiveStatistics(const QString& table) {
    return openers_->openDescriptiveStatistics(table);
}

QWidget* MainFrame::openBoxPlot(const QString& table) {
    return openers_->openBoxPlot(table);
}

QWidget* MainFrame::openDistribution(const QString& table) {
    return openers_->openDistribution(table);
}

QWidget* MainFrame::openQueryWindow() {
    return openers_->openQueryWindow();
}

QWidget* MainFrame::openCatalogue() {
    return openers_->openCatalogue();
}

QWidget* MainFrame::openPopulation() {
    return openers_->openPopulation();
}

QWidget* MainFrame::openConverter() {
    return openers_->openConverter();
}

QWidget* MainFrame::openSpider() {
    return parts_ ? spiders_->openSpider() : nullptr;
}

void MainFrame::fillSystemMenu(QMenu* menu) {
    const SystemTables& names = parts_->systemTables;
    for (const QString& table :
         {names.trendline, names.polygon, names.polygonNodes, names.pointHeader, names.points,
          names.collection, names.collectionItems, names.spiderMain, names.spiderNorm, names.alias})
        menu->addAction(table, this, [this, table] { openSystemGrid(table); })
            ->setToolTip(QStringLiteral("The table ") + table +
                         QStringLiteral(" of the system "
                                        "database"));
}

GridWindow* MainFrame::openSystemGrid(const QString& table, const QString& statement,
                                      const QString& caption) {
    if (!parts_)
        return nullptr;
    OpenedConnection system = SystemDatabase::open(parts_->systemDatabase, parts_->systemTables);
    if (!system.ok()) {
        parts_->dialogs.message(MessageKind::Exclamation,
                                QStringLiteral("Error in opening the system database ") +
                                    ConnectionTextRedactor::redact(parts_->systemDatabase) +
                                    QStringLiteral("\r\n") + system.error);
        return nullptr;
    }
    auto* grid =
        new GridWindow(parts_->session, parts_->dialogs, *status_, openViews_, parts_->folders);
    grid->controller().useSystemDatabase(std::move(system.connection));
    if (!grid->open(statement.isEmpty()
                        ? QStringLiteral("SELECT * FROM ") + JetSqlQuoting::name(table)
                        : statement,
                    caption.isEmpty() ? QStringLiteral("System/") + table : caption)) {
        delete grid;
        return nullptr;
    }
    grid->setWindowGeometry(&geometry_);
    QMdiSubWindow* child = showChild(grid, QStringLiteral("Grid"), {720, 420});
    connect(grid, &GridWindow::closeRequested, child, &QWidget::close);
    return grid;
}

QStringList MainFrame::selectedTables() const {
    QStringList names;
    // In list order: the first table listed is the main table of the join.
    for (int r = 0; r < tables_->count(); ++r)
        if (tables_->item(r)->isSelected())
            names << tables_->item(r)->text();
    return names;
}

QMdiSubWindow* MainFrame::showChild(QWidget* window, const QString& shortName, QSize size) {
    window->setWindowTitle(uniqueCaption(window->windowTitle(), window));
    // A renamed window (the diagram's "Rename...") keeps a name of its own in the lists.
    connect(window, &QWidget::windowTitleChanged, this, [this, window](const QString& title) {
        const QString unique = uniqueCaption(title, window);
        if (unique != title)
            window->setWindowTitle(unique);
        else
            fillWindowList();
    });
    QMdiSubWindow* child = area_->addSubWindow(window);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setProperty(geometryNameProperty, shortName);
    // A first window fits the area, so that its right and lower edges can be reached.
    const QSize room = area_->viewport()->size();
    child->resize(room.width() > 200 && room.height() > 200 ? size.boundedTo(room) : size);
    const WindowRect r = geometry_.load(shortName);
    if (r.width && r.height && *r.width > 100 && *r.height > 100)
        child->resize(*r.width, *r.height);
    if (r.left && r.top)
        child->move(*r.left, *r.top);
    child->installEventFilter(this);
    child->show();
    // A window that cannot fit keeps its least size (as shown), captions whole; the area scrolls.
    child->resize(child->size().expandedTo(child->minimumSizeHint()));
    // A window whose least size is larger than the area starts at its top left corner, with
    // its title bar and left edge in sight.
    if (!(r.left && r.top) && (child->x() < 0 || child->y() < 0))
        child->move(0, 0);
    fillWindowList();
    return child;
}

GridWindow* MainFrame::openGrid(const QString& statement, const QString& caption) {
    if (!parts_)
        return nullptr;
    auto* grid =
        new GridWindow(parts_->session, parts_->dialogs, *status_, openViews_, parts_->folders);
    if (!grid->open(statement, caption)) {
        delete grid;
        return nullptr;
    }
    grid->setWindowGeometry(&geometry_);
    grid->copyToClipData = [this](const QString& rows) {
        if (clipData_->copyFromGrid(rows))
            openClipData();
    };
    grid->openStatistics = [this](GridWindow::StatisticsWindow which, const QString& table) {
        using W = GridWindow::StatisticsWindow;
        which == W::Descriptive ? openDescriptiveStatistics(table)
        : which == W::BoxPlot   ? openBoxPlot(table)
                                : openDistribution(table);
    };
    connect(grid, &GridWindow::openGridRequested, this, &MainFrame::openGrid);
    QMdiSubWindow* child = showChild(grid, QStringLiteral("Grid"), {720, 420});
    connect(grid, &GridWindow::closeRequested, child, &QWidget::close);
    connect(grid, &GridWindow::schemaChanged, this, &MainFrame::refreshLists);
    return grid;
}

void MainFrame::fillWindowList() {
    windows_->clear();
    for (const QMdiSubWindow* w : area_->subWindowList())
        windows_->addItem(w->windowTitle(), QVariant::fromValue(quintptr(w)));
    if (const QMdiSubWindow* active = area_->activeSubWindow())
        windows_->setCurrentIndex(windows_->findData(QVariant::fromValue(quintptr(active))));
}

void MainFrame::fillWindowMenu(QMenu* menu) {
    menu->clear();
    for (const QString& how :
         {QStringLiteral("Tile Horizontally"), QStringLiteral("Tile Vertically"),
          QStringLiteral("Cascade"), QStringLiteral("Tile")})
        menu->addAction(how, this, [this, how] { arrange(how); });
    menu->addSeparator();
    const QList<QMdiSubWindow*> children = area_->subWindowList();
    for (int i = 0; i < children.size(); ++i) {
        QAction* a =
            menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(children[i]->windowTitle()),
                            this, [this, id = quintptr(children[i])] { activateChild(id); });
        a->setCheckable(true);
        a->setChecked(children[i] == area_->activeSubWindow());
    }
}

void MainFrame::arrange(const QString& how) {
    if (how == QStringLiteral("Tile Horizontally"))
        tileHorizontally();
    else if (how == QStringLiteral("Tile Vertically"))
        tileVertically();
    else if (how == QStringLiteral("Cascade"))
        area_->cascadeSubWindows();
    else if (how == QStringLiteral("Tile"))
        area_->tileSubWindows();
}

// Child windows one above the other, each as wide as the area.
void MainFrame::tileHorizontally() {
    const QList<QMdiSubWindow*> shown = area_->subWindowList();
    if (shown.isEmpty())
        return;
    const int h = area_->viewport()->height() / int(shown.size());
    for (int i = 0; i < shown.size(); ++i) {
        shown[i]->showNormal();
        shown[i]->setGeometry(0, i * h, area_->viewport()->width(), h);
    }
}

// Child windows side by side, each as high as the area.
void MainFrame::tileVertically() {
    const QList<QMdiSubWindow*> shown = area_->subWindowList();
    if (shown.isEmpty())
        return;
    const int w = area_->viewport()->width() / int(shown.size());
    for (int i = 0; i < shown.size(); ++i) {
        shown[i]->showNormal();
        shown[i]->setGeometry(i * w, 0, w, area_->viewport()->height());
    }
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close)
        if (auto* child = qobject_cast<QMdiSubWindow*>(watched); child && !child->isMinimized())
            if (const QString name = child->property(geometryNameProperty).toString();
                !name.isEmpty())
                geometry_.save(name, {child->x(), child->y(), child->width(), child->height()});
    return QMainWindow::eventFilter(watched, event);
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (controller_)
        controller_->exit();
    area_->closeAllSubWindows();
    if (controller_)
        controller_->saveMainGeometry(geometry_, {x(), y(), width(), height()}, isMinimized());
    event->accept();
}
