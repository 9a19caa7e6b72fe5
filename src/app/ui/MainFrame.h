#pragma once
// The program's frame window: menus, child windows in a multi-document area, the recent
// database list and the sample browser in a dock, the window-arrangement pickers and the
// bottom status bar. Its menus call the MainWindow controller; it keeps no logic of its own.
#include "db/SystemTables.h"
#include "grid/OpenViews.h"
#include "grid/ui/GridWindow.h"
#include "link/LinkSettings.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <memory>

class ClipDataWindow;
class DiagramView;
class LinkController;
class Dialogs;
class MainWindow;
class QComboBox;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QtStatus;
class RecentDatabaseList;
class SampleBrowser;
class SampleBrowserPanel;
class SessionDatabase;
class SpiderWindowSet;
struct StyleDefaults;
class ComparisonWindowSet;
class FrameCommands;
class FramePictureBook;
class FrameWindowOpeners;
class TableLoaderView;
class UserCalcView;
class WindowGeometry;

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(const WindowGeometry& geometry);
    ~MainFrame() override;
    // Closes every child window now; their controllers still use the session, so this runs
    // before the session goes (at exit, and in the destructor).
    void deleteChildWindows();

    QtStatus& status() { return *status_; }
    QMdiArea* area() const { return area_; }

    struct Parts {
        MainWindow& controller;
        SampleBrowser& browser;
        SessionDatabase& session;
        Dialogs& dialogs;
        GridWindow::Folders folders;
        // The grid's "System" source: the system database and its table names.
        QString systemDatabase = {};
        SystemTables systemTables = {};
        // The mineral library of the converter window; both empty: the shipped one.
        QString mineralLibraryDb = {};
        QString mineralLibraryTable = {};
        // The link with the sibling program, and the folders a PictureBook it names is
        // looked for in.
        LinkSettings link = {};
        QStringList pictureBookFolders = {};
        // UserName: whose field aliases the diagram windows read and write.
        QString userName = {};
    };
    // Connects the menus and panels to the controllers; the frame shows only its bare menus
    // until then.
    void bind(const Parts& parts);
    // The filter window as a child window.
    QWidget* openFilterWindow();
    // The ClipData sheet of the whole run (exists once bind() was called), and its window.
    ClipDataWindow* clipData() const { return clipData_.get(); }
    QWidget* openClipData();
    // The link with the sibling program (exists once bind() was called); "Link content...".
    LinkController* link() const { return link_.get(); }
    QWidget* openLinkContent();
    // The table loader window ("frmFromDBSToClipData") on the open database, once; nullptr
    // after "No database open" without one.
    QWidget* openTableLoader();
    // "Quv Help": the user guide beside the program (docs/user-guide.md) in a child window,
    // once; nullptr after saying it is missing.
    QWidget* openHelp();
    QString userGuidePath() const;
    // The statistics windows ("Statistics" menu and the grid's "Tools" menu): descriptive
    // statistics, box and whisker, distribution, each once, on the table when one is given.
    QWidget* openDescriptiveStatistics(const QString& table = {});
    QWidget* openBoxPlot(const QString& table = {});
    QWidget* openDistribution(const QString& table = {});
    // The query window ("Database" > "Query..."), once.
    QWidget* openQueryWindow();
    // The catalogue window "Links and Usernames" ("Database" > "Relationships..."), once.
    QWidget* openCatalogue();
    // The converter window ("Tools" > "Converter...", VIEW CONV), once.
    QWidget* openConverter();
    // The population analysis window (Tools > "Population Analysis...", VIEW POPULATION), once.
    QWidget* openPopulation();
    // The spider diagram window (View > "Spider diagram"; the entry point of the macro line
    // VIEW SPIDER), once.
    QWidget* openSpider();
    SpiderWindowSet* spiderWindows() const { return spiders_; }
    // The correlation and t-test windows (Statistics > "&Correlation matrix...", "&t-test...").
    ComparisonWindowSet* comparisonWindows() const { return comparisons_; }
    // A grid on a table of the system database (the "System" source), or on a statement over
    // it with its caption; nullptr when the system database or the rows cannot be read (said
    // so).
    GridWindow* openSystemGrid(const QString& table, const QString& statement = {},
                               const QString& caption = {});
    // The tables and filters picked in the database list.
    QStringList selectedTables() const;
    // "User Defined Derivatives..." (Tools menu): the user calculations window, once.
    UserCalcView* openUserCalc();
    // The command and macro panel with its interpreter (exists once bind() was called).
    FrameCommands* commands() const { return commands_; }
    // The PictureBook, its panel and menu (exists once bind() was called).
    FramePictureBook* pictureBook() const { return book_; }
    // A new diagram window ("Graph") as a child window.
    DiagramView* openDiagram();
    // The diagram window that commands address: the one activated or opened last; nullptr
    // when none is open.
    DiagramView* currentDiagram() const;
    // The ClipData window, if open, shown anew after its sheet changed elsewhere.
    QMdiSubWindow* refreshClipDataView();
    // Opens a grid child window on the statement; nullptr when its rows cannot be read.
    GridWindow* openGrid(const QString& statement, const QString& caption);
    // After a database opened, a filter or a table came or went: refills the recent menu
    // entries, the database and table lists, and the pickers of the sample browser and of every
    // open window (diagrams, table loader, filter window), keeping the choices still there.
    void refreshLists();

    // The arrangements of the "Window" picker.
    void tileHorizontally();
    void tileVertically();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Grid windows keep their place in the per-user store when they close.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class FrameWindowOpeners;
    friend class FrameCommands;
    friend class FramePictureBook;
    // The window as a child of the frame, at the place it had when it was last closed.
    QMdiSubWindow* showChild(QWidget* window, const QString& shortName, QSize size);
    static constexpr const char* geometryNameProperty = "quvGeometryName";
    // The connection a window's controller holds; the window closes when the session's changes.
    static constexpr const char* connectionProperty = "quvConnection";
    void buildMenus();
    void fillRecentMenu();
    void refreshTableLoader(QMdiSubWindow* child, TableLoaderView* loader);
    void fillWindowList();
    // The "&Window" menu: the arrangements, then one entry per child window.
    void fillWindowMenu(QMenu* menu);
    // The caption, numbered " (2)", " (3)"... when another child window already shows it.
    QString uniqueCaption(const QString& caption, const QWidget* except) const;
    // Brings the child window forward as it is; only a minimised one is restored.
    void activateChild(quintptr id);
    void bringForward(QMdiSubWindow* child);
    void fillTables();
    void fillSystemMenu(QMenu* menu);
    // The open child window whose widget is a T, brought forward; nullptr when there is none.
    template <class T> T* activateChild();
    void arrange(const QString& how);

    const WindowGeometry& geometry_;
    QMdiArea* area_;
    QtStatus* status_;
    MainWindow* controller_ = nullptr;
    std::optional<Parts> parts_;
    // Read when the frame is bound to its controllers; every diagram window starts from them.
    std::unique_ptr<StyleDefaults> styleDefaults_;
    std::unique_ptr<ClipDataWindow> clipData_;
    std::unique_ptr<LinkController> link_;
    OpenViews openViews_;
    QPointer<DiagramView> currentDiagram_;
    QListWidget* tables_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QList<QAction*> recentActions_;
    RecentDatabaseList* databases_ = nullptr;
    SampleBrowserPanel* browserPanel_ = nullptr;
    QComboBox* arrangement_ = nullptr;
    QComboBox* windows_ = nullptr;
    SpiderWindowSet* spiders_ = nullptr;
    ComparisonWindowSet* comparisons_ = nullptr;
    std::unique_ptr<FrameWindowOpeners> openers_;
    FrameCommands* commands_ = nullptr;
    FramePictureBook* book_ = nullptr;
};

template <class T> T* MainFrame::activateChild() {
    for (QMdiSubWindow* w : area_->subWindowList())
        if (auto* view = qobject_cast<T*>(w->widget())) {
            bringForward(w);
            return view;
        }
    return nullptr;
}
